// The settings file on Windows: drive c: as the default folder, a read-only
// file, and device names that must never be opened.

#include "profiles/profile_keys.h"
#include "profiles/settings_file.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view OldContent = "Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n";

class SettingsOnWindows : public fixtures::TempFolder {};

} // namespace

TEST(ProfileKeysOnWindows, TheDefaultNcFolderIsDriveC) {
    EXPECT_EQ(defaultNcDirectory(), "c:\\");
}

TEST_F(SettingsOnWindows, AReadOnlyFileKeepsReadsWorkingAndDropsChanges) {
    put(ini, OldContent);
    ASSERT_NE(::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY), 0);
    SettingsFile settings;
    const bool opened = settings.open(ini);
    const std::string machine = settings.readValue("Maschine", "");
    settings.writeValue("Maschine", "M2");
    const bool closed = settings.close();
    ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_TRUE(opened);
    EXPECT_EQ(machine, "M1");
    EXPECT_FALSE(closed);
    EXPECT_EQ(get(ini), OldContent);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(SettingsOnWindows, ADeviceNameIsNeitherReadNorWritten) {
    for (const auto& path : {fs::path(L"NUL"), folder / L"nul.ini", folder / L"CON.ini",
                             fs::path(L"COM1"), fs::path(L"\\\\.\\NUL")}) {
        SCOPED_TRACE(path.string());
        SettingsFile settings;
        EXPECT_FALSE(settings.open(path));
        settings.writeValue("Pattern", "*.nc");
        EXPECT_FALSE(settings.close());
    }
    EXPECT_EQ(entriesInFolder(), 0u);
}
