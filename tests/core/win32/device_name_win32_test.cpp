#include "core/device_name_win32.h"
#include "core/read_regular_file.h"

#include "../atomic_file_fixture.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace drovane;
using drovane::testing::AtomicFile;

TEST(DeviceName, ReservedNamesAnywhereAndNamespacePathsAreDevices) {
    const struct {
        const wchar_t* path;
        bool device;
    } cases[] = {
        {L"NUL", true},
        {L"nul", true},
        {L"NUL.txt", true},
        {L"nul .nc", true},
        {L"c:\\nc\\NUL.tar.gz", true},
        {L"c:/nc/con", true},
        {L"C:AUX", true},
        {L"PRN", true},
        {L"COM1", true},
        {L"COM9.nc", true},
        {L"COM1:", true},
        {L"LPT1", true},
        {L"lpt3.ini", true},
        {L"COM\u00B9", true},
        {L"CONIN$", true},
        {L"\\\\.\\COM10", true},
        {L"//./pipe/drovane", true},
        {L"\\\\?\\COM1", true},
        {L"COM10.nc", false},
        {L"COM.nc", false},
        {L"NULL.txt", false},
        {L"CONSOLE.nc", false},
        {L"c:\\nul\\P1.nc", false},
        {L"P1.nul", false},
        {L"\\\\?\\C:\\nc\\P1.nc", false},
        {L"\\\\?\\UNC\\server\\nc\\P1.nc", false},
        {L"\\\\server\\nc\\P1.nc", false},
        {L"drovane.ini", false},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(::testing::Message() << std::filesystem::path(item.path).string());
        EXPECT_EQ(isDeviceName(item.path), item.device);
    }
}

class ReadDevice : public AtomicFile {};

// Opened, NUL would read as an empty file and COM1 would raise its lines.
TEST_F(ReadDevice, ADeviceIsRefusedWhereARegularFileIsRead) {
    for (const auto& path : {std::filesystem::path(L"NUL"), folder / L"NUL.txt", folder / L"nul.nc",
                             std::filesystem::path(L"\\\\.\\NUL"), std::filesystem::path(L"COM1"),
                             std::filesystem::path(L"CON")}) {
        SCOPED_TRACE(path.string());
        EXPECT_EQ(readRegularFile(path), std::nullopt);
    }
    EXPECT_EQ(readRegularFile(folder), std::nullopt);
    std::ofstream(folder / "COM10.nc", std::ios::binary) << "G0\r\n";
    EXPECT_EQ(readRegularFile(folder / "COM10.nc"), "G0\r\n");
}
