// How the settings file meets the disk: nothing is written without a change,
// and a write that fails leaves the old file whole and says so.

#include "profiles/settings_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view OldContent = "Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n";

class SettingsDisk : public fixtures::TempFolder {};

// Writes part of the first block, then reports a full disk.
std::ptrdiff_t partThenDiskFull(OpenFile& file, std::string_view bytes) {
    static bool wrotePart = false;
    wrotePart = !wrotePart;
    if (wrotePart && bytes.size() > 1) {
        return writeToFile(file, bytes.substr(0, bytes.size() / 2));
    }
    return -1;
}
} // namespace

TEST_F(SettingsDisk, ReadingWithoutChangesLeavesBytesAndTimeStampAlone) {
    const std::string messy = "  Maschine=M1  \n\n[M1]x\r;c\r\nBaudrate=300";
    put(ini, messy);
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(ini, past);
    // As the file system stores it (Windows keeps 100 ns steps).
    const auto stamp = fs::last_write_time(ini);

    SettingsFile settings;
    ASSERT_TRUE(settings.open(ini));
    EXPECT_EQ(settings.readValue("Maschine", ""), "M1");
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        settings.readValue("Baudrate", "");
    }
    settings.selectGroup("Missing");
    settings.removeGroup("Missing");
    EXPECT_TRUE(settings.close());

    EXPECT_EQ(get(ini), messy);
    EXPECT_EQ(fs::last_write_time(ini), stamp);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(SettingsDisk, AFullDiskLeavesTheOldFileWholeAndIsReported) {
    put(ini, OldContent);
    SettingsFile settings(partThenDiskFull);
    settings.open(ini);
    settings.selectGroup("M1");
    settings.writeValue("Baudrate", std::string(200, '9'));
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(settings.lastWriteFailed());
    EXPECT_EQ(get(ini), OldContent);
    EXPECT_EQ(entriesInFolder(), 1u);

    // The next successful write clears the failure.
    SettingsFile healthy;
    healthy.open(ini);
    healthy.writeValue("Path", "/nc/");
    EXPECT_TRUE(healthy.close());
    EXPECT_FALSE(healthy.lastWriteFailed());
}

TEST_F(SettingsDisk, APathBelowARegularFileReadsDefaultsAndReportsTheLostWrite) {
    put(folder / "plain", "x");
    SettingsFile settings;
    EXPECT_FALSE(settings.open(folder / "plain" / "drovane.ini"));
    EXPECT_EQ(settings.readValue("Pattern", "*.nc"), "*.nc");
    settings.writeValue("Pattern", "*.txt");
    EXPECT_FALSE(settings.close());
    EXPECT_EQ(get(folder / "plain"), "x");
}

TEST_F(SettingsDisk, AFolderAtThePathIsNeverReplaced) {
    fs::create_directories(ini / "inner");
    SettingsFile settings;
    EXPECT_FALSE(settings.open(ini));
    settings.writeValue("Pattern", "*.nc");
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(fs::is_directory(ini / "inner"));
}
