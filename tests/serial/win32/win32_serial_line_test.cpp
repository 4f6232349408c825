// The line without a port behind it: what needs no pseudo-terminal.

#include "serial/system_serial_line.h"
#include "serial/win32/win32_serial_line.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

SerialSettings named(const std::string& portName) {
    SerialSettings settings;
    settings.portName = portName;
    return settings;
}

TEST(Win32SerialLine, OpenFailuresNameTheirCause) {
    const std::vector<std::pair<SerialSettings, OpenFailure>> cases = {
        {named("COM99"), OpenFailure::NoSuchPort},
        {named(R"(\\.\NoSuchDevice)"), OpenFailure::NoSuchPort},
        // A device, but no serial port.
        {named("NUL"), OpenFailure::NotSerial},
    };
    Win32SerialLine line;
    for (const auto& [settings, reason] : cases) {
        EXPECT_EQ(line.open(settings), 0) << settings.portName;
        EXPECT_EQ(line.lastOpenFailure(), reason) << settings.portName;
    }
}

TEST(Win32SerialLine, SettingsNoPortTakesAreRefusedBeforeTheDeviceIsTouched) {
    SerialSettings settings = named("COM99");
    settings.dataBits = 9;
    Win32SerialLine line;
    EXPECT_EQ(line.open(settings), 0);
    EXPECT_EQ(line.lastOpenFailure(), OpenFailure::SettingsRefused);
}

TEST(Win32SerialLine, EveryOperationOnAnIdentifierThatIsNotOpenGivesZero) {
    Win32SerialLine line;
    unsigned char byte = 'x';
    EXPECT_EQ(line.write(1, &byte, 1), 0);
    EXPECT_EQ(line.read(1, &byte, 1), 0);
    EXPECT_EQ(line.inputWaiting(1), 0);
    EXPECT_FALSE(line.waitForInput(1, std::chrono::milliseconds(1)));
    EXPECT_EQ(line.takeErrors(1), SerialError::None);
    EXPECT_EQ(line.drain(1), 0);
    EXPECT_EQ(line.setSignal(1, SerialSignal::Dtr, 1), 0);
    EXPECT_EQ(line.getSignal(1, SerialSignal::XonChar), 0);
    EXPECT_EQ(line.setTimeouts(1, 1, 2, 3, 4, 5), 0);
    line.close(1);
}

TEST(Win32SerialLine, TheSystemLineIsTheWindowsOne) {
    const auto line = makeSystemSerialLine();
    EXPECT_NE(dynamic_cast<Win32SerialLine*>(line.get()), nullptr);
}

} // namespace
} // namespace drovane
