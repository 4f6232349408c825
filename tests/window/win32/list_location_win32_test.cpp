#include "window/list_location.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace drovane {
void PrintTo(const ListLocation& location, std::ostream* out) {
    *out << '{' << location.directory << ", " << location.pattern << '}';
}
} // namespace drovane

using drovane::applyLocationText;
using drovane::ListLocation;

namespace {

TEST(ListLocation, TextsFollowTheThreeRulesWithBackslashesAndUpperCaseDrives) {
    const ListLocation at{"C:\\nc\\", "*.nc"};
    const struct {
        const char* text;
        ListLocation next;
    } cases[] = {
        {"P1*", {"C:\\nc\\", "P1*"}},
        {"d:\\data\\programs\\", {"D:\\data\\programs\\", "*.nc"}},
        {"c:/data/programs/", {"C:\\data\\programs\\", "*.nc"}},
        {"c:\\", {"C:\\", "*.nc"}},
        {"C:\\data\\P1.nc", {"C:\\data\\", "P1.nc"}},
        {"c:\\data/sub\\..\\x\\P*", {"C:\\data\\x\\", "P*"}},
        {"", {"", "*.nc"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(applyLocationText(at, c.text), c.next) << c.text;
    }
}

TEST(ListLocation, ParentOfADriveRootIsTheDrivesView) {
    const struct {
        const char* directory;
        const char* parent;
    } cases[] = {{"C:\\a\\b\\", "C:\\a\\"}, {"C:\\a\\", "C:\\"}, {"C:\\", ""}, {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(drovane::parentDirectory(c.directory), c.parent) << c.directory;
    }
}

} // namespace
