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

TEST(ListLocation, StartsAtTheDrivesWithEveryFile) {
    EXPECT_EQ(ListLocation{}, (ListLocation{"", "*.*"}));
}

TEST(ListLocation, TextsFollowTheThreeRules) {
    const ListLocation at{"/nc/", "*.nc"};
    const struct {
        const char* text;
        ListLocation next;
    } cases[] = {
        {"P1*", {"/nc/", "P1*"}}, // (a) pattern only
        {"*.", {"/nc/", "*."}},
        {"/data/programs/", {"/data/programs/", "*.nc"}}, // (b) directory only
        {"\\data\\programs\\", {"/data/programs/", "*.nc"}},
        {"/", {"/", "*.nc"}},
        {"/data/P1.nc", {"/data/", "P1.nc"}}, // (c) both
        {"/data\\sub/*.tap", {"/data/sub/", "*.tap"}},
        {"/data/sub/../x/P*", {"/data/x/", "P*"}},
        {"//a//./b/", {"/a/b/", "*.nc"}},
        {"", {"", "*.nc"}}, // the drives view keeps the pattern
    };
    for (const auto& c : cases) {
        EXPECT_EQ(applyLocationText(at, c.text), c.next) << c.text;
    }
}

TEST(ListLocation, RelativeDirectoriesStartAtTheWorkingDirectory) {
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(drovane::normalizedDirectory("rel/"), here + "/rel/");
    EXPECT_EQ(drovane::normalizedDirectory("rel"), here + "/rel/");
    EXPECT_EQ(drovane::normalizedDirectory(""), "");
}

TEST(ListLocation, ParentOfTheRootIsTheDrivesView) {
    const struct {
        const char* directory;
        const char* parent;
    } cases[] = {{"/a/b/", "/a/"}, {"/a/", "/"}, {"/a", "/"}, {"/", ""}, {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(drovane::parentDirectory(c.directory), c.parent) << c.directory;
    }
}

} // namespace
