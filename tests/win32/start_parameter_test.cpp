// The first command-line parameter, as a start from Explorer or a shortcut
// writes the command line.

#include "win32/start_parameter.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

TEST(StartParameter, TheFirstParameterInWindows1252) {
    const struct {
        const wchar_t* commandLine;
        std::string parameter;
    } cases[] = {
        {L"drovane.exe", ""},
        {L"\"C:\\Program Files\\Drovane\\drovane.exe\"", ""},
        {L"drovane.exe   ", ""},
        {L"drovane.exe P1.nc", "P1.nc"},
        {L"drovane.exe P1.nc P2.nc", "P1.nc"},
        {L"\"C:\\Drovane\\drovane.exe\" \"C:\\NC Programme\\P1.nc\" extra",
         "C:\\NC Programme\\P1.nc"},
        {L"drovane.exe \"C:\\NC\\Welle \u00FC.nc\"", "C:\\NC\\Welle \xFC.nc"},
        {L"drovane.exe C:\\NC\\\u20AC.nc", "C:\\NC\\\x80.nc"},
        {L"drovane.exe C:\\NC\\\u4E2D.nc", "C:\\NC\\?.nc"},
        {L"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(startParameterOf(c.commandLine), c.parameter)
            << testing::PrintToString(std::wstring(c.commandLine));
    }
    EXPECT_EQ(startParameterOf(nullptr), "");
}

} // namespace
} // namespace drovane
