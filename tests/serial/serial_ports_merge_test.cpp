// The one port list made from Windows' two sources, checked on either system.

#include "serial/serial_ports_merge.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

using Names = std::vector<std::string>;

std::vector<NamedPort> unnamed(const Names& names) {
    std::vector<NamedPort> ports;
    for (const std::string& name : names) {
        ports.push_back({name, "", ""});
    }
    return ports;
}

Names namesOf(const std::vector<NamedPort>& ports) {
    Names names;
    for (const NamedPort& port : ports) {
        names.push_back(port.name);
    }
    return names;
}

TEST(MergePortLists, OrdersComPortsByNumberThenOtherNamesByText) {
    const struct {
        const char* what;
        Names registry;
        Names deviceManager;
        Names merged;
    } cases[] = {
        {"numbers, not text", {"COM10", "COM2", "COM1"}, {}, {"COM1", "COM2", "COM10"}},
        {"from both lists", {"COM10"}, {"COM9", "COM100"}, {"COM9", "COM10", "COM100"}},
        {"other names last", {"CNCB0", "COM3", "CNCA0"}, {}, {"COM3", "CNCA0", "CNCB0"}},
        {"COM0 and COM1x are no COM numbers",
         {"COM1x", "COM0", "COM2"},
         {},
         {"COM2", "COM0", "COM1x"}},
        {"lower case sorts by its number", {"com12", "COM3"}, {}, {"COM3", "com12"}},
        {"duplicates once", {"COM4", "COM4"}, {"COM4"}, {"COM4"}},
        {"letter case does not split a port", {"COM5"}, {"com5"}, {"COM5"}},
        {"empty names dropped", {"", "COM6"}, {""}, {"COM6"}},
        {"nothing", {}, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesOf(mergePortLists(unnamed(c.registry), unnamed(c.deviceManager))), c.merged)
            << c.what;
    }
}

TEST(MergePortLists, TakesTheFirstFriendlyNameAndDriverEitherListHas) {
    const std::vector<NamedPort> registry{
        {"COM1", "", ""}, {"COM3", "", ""}, {"COM7", "", ""}, {"COM8", "", "Serial"}};
    const std::vector<NamedPort> deviceManager{
        {"COM3", "USB Serial Port (COM3)", "FTSER2K"},
        {"com1", "Kommunikationsanschluss (COM1)", "Serial"},
        {"COM3", "Second Name (COM3)", "other"},
        {"COM8", "Prolific (COM8)", "Ser2pl"},
        {"COM4", "USB-Ger\xE4t (COM4)", "usbser"},
    };

    const std::vector<NamedPort> expected{
        {"COM1", "Kommunikationsanschluss (COM1)", "Serial"},
        {"COM3", "USB Serial Port (COM3)", "FTSER2K"},
        {"COM4", "USB-Ger\xE4t (COM4)", "usbser"},
        {"COM7", "", ""},
        {"COM8", "Prolific (COM8)", "Serial"},
    };
    EXPECT_EQ(mergePortLists(registry, deviceManager), expected);
}

} // namespace
} // namespace drovane
