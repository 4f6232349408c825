// Both systems' port-name rules, checked on either system.

#include "serial/serial_ports_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace drovane {
namespace {

TEST(ComPortNumber, ReadsOnlyUpperCaseComWithPositiveDecimalNumber) {
    const struct {
        std::string name;
        std::optional<unsigned> number;
    } cases[] = {
        {"COM1", 1U},  {"COM2", 2U}, {"COM10", 10U}, {"COM256", 256U}, {"COM007", 7U},
        {"COM0", {}},  {"COM", {}},  {"COM1x", {}},  {"COM-1", {}},    {"COM+1", {}},
        {"COM 1", {}}, {"com1", {}}, {"XCOM1", {}},  {"", {}},         {"COM99999999999", {}},
        {"ttyS0", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(comPortNumber(c.name), c.number) << c.name;
    }
}

TEST(TtyDevicePath, MapsComNamesPathsAndDeviceNames) {
    const struct {
        std::string name;
        std::string device;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM3", "/dev/ttyS2"},
        {"COM12", "/dev/ttyS11"},
        {"ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/pts/7", "/dev/pts/7"},
        // Not a COM number: taken as a device name.
        {"COM0", "/dev/COM0"},
        {"COM", "/dev/COM"},
        {"COM1x", "/dev/COM1x"},
        {"com1", "/dev/com1"},
        // At most 59 characters of the name count.
        {"/" + std::string(70, 'a'), "/" + std::string(58, 'a')},
        {std::string(58, 'b') + "XYZ", "/dev/" + std::string(58, 'b') + "X"},
        {"COM" + std::string(55, '0') + "3x", "/dev/ttyS2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ttyDevicePath(c.name), c.device) << c.name;
    }
}

TEST(RawDevicePath, PrefixesEveryNameOnceAndCutsAt59Characters) {
    const struct {
        std::string name;
        std::string device;
    } cases[] = {
        {"COM1", R"(\\.\COM1)"},
        {"COM9", R"(\\.\COM9)"},
        {"COM10", R"(\\.\COM10)"},
        {"COM256", R"(\\.\COM256)"},
        {"com3", R"(\\.\com3)"},
        {"CNCA0", R"(\\.\CNCA0)"},
        {R"(\\.\COM4)", R"(\\.\COM4)"},
        {R"(\\.\CNCB0)", R"(\\.\CNCB0)"},
        // Only the full prefix counts.
        {R"(\\COM4)", R"(\\.\\\COM4)"},
        {R"(\\?\COM4)", R"(\\.\\\?\COM4)"},
        {std::string(70, 'c'), R"(\\.\)" + std::string(59, 'c')},
        {R"(\\.\)" + std::string(70, 'd'), R"(\\.\)" + std::string(55, 'd')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rawDevicePath(c.name), c.device) << c.name;
    }
}

} // namespace
} // namespace drovane
