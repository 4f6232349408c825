// The lines of `drovane-cli ports`, for ports as either system lists them.

#include "cli/port_lines.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

TEST(PortLines, AlignsColumnsMarksMissingPartsAndAddsFriendlyNamesInUtf8) {
    const std::vector<SerialPortInfo> ports{
        {"ttyUSB0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI-if00", "ftdi_sio", ""},
        {"ttyS0", "/dev/ttyS0", {}, "", ""},
        {"COM3", std::filesystem::path(LR"(\\.\COM3)"), {}, "usbser", "USB-Ger\xE4t (COM3)"},
    };

    const std::vector<std::string> expected{
        "ttyUSB0  /dev/ttyUSB0  /dev/serial/by-id/usb-FTDI-if00  ftdi_sio",
        "ttyS0    /dev/ttyS0    -                                -",
        R"(COM3     \\.\COM3      -                                usbser    USB-Ger)"
        "\xC3\xA4t (COM3)",
    };
    EXPECT_EQ(portLines(ports), expected);
}

} // namespace
} // namespace drovane
