#include "shell/list_location.h"

#include "qstring_printer.h"
#include <QDir>

#include <gtest/gtest.h>

namespace drovane {
void PrintTo(const ListLocation& location, std::ostream* out) {
    *out << '{' << location.directory.toStdString() << ", " << location.pattern.toStdString()
         << '}';
}
} // namespace drovane

using drovane::applyLocationText;
using drovane::ListLocation;
using drovane::normalizedDirectory;
using drovane::parentDirectory;

TEST(ListLocation, StartsAtTheDrivesWithEveryFile) {
    const ListLocation start;
    EXPECT_EQ(start.directory, "");
    EXPECT_EQ(start.pattern, "*.*");
}

TEST(ListLocation, TextWithoutSeparatorReplacesThePatternOnly) {
    const ListLocation at{"/nc/", "*.nc"};
    EXPECT_EQ(applyLocationText(at, "P1*"), (ListLocation{"/nc/", "P1*"}));
    EXPECT_EQ(applyLocationText(at, "*."), (ListLocation{"/nc/", "*."}));
}

TEST(ListLocation, TextEndingInSeparatorReplacesTheDirectoryOnly) {
    const ListLocation at{"/nc/", "*.nc"};
    EXPECT_EQ(applyLocationText(at, "/data/programs/"), (ListLocation{"/data/programs/", "*.nc"}));
    EXPECT_EQ(applyLocationText(at, "\\data\\programs\\"),
              (ListLocation{"/data/programs/", "*.nc"}));
    EXPECT_EQ(applyLocationText(at, "/"), (ListLocation{"/", "*.nc"}));
}

TEST(ListLocation, OtherTextSplitsAfterTheLastSeparator) {
    const ListLocation at{"/nc/", "*.nc"};
    EXPECT_EQ(applyLocationText(at, "/data/P1.nc"), (ListLocation{"/data/", "P1.nc"}));
    EXPECT_EQ(applyLocationText(at, "/data\\sub/*.tap"), (ListLocation{"/data/sub/", "*.tap"}));
    EXPECT_EQ(applyLocationText(at, "/data/sub/../x/P*"), (ListLocation{"/data/x/", "P*"}));
}

TEST(ListLocation, EmptyTextShowsTheDrivesAndKeepsThePattern) {
    EXPECT_EQ(applyLocationText(ListLocation{"/nc/", "*.nc"}, ""), (ListLocation{"", "*.nc"}));
}

TEST(ListLocation, DirectoriesBecomeAbsoluteCleanAndEndInSlash) {
    EXPECT_EQ(normalizedDirectory("/a//b/./c"), "/a/b/c/");
    EXPECT_EQ(normalizedDirectory("rel/"), QDir::currentPath() + "/rel/");
    EXPECT_EQ(normalizedDirectory(""), "");
    EXPECT_EQ(normalizedDirectory("/"), "/");
}

TEST(ListLocation, ParentOfTheRootIsTheDrivesView) {
    EXPECT_EQ(parentDirectory("/a/b/"), "/a/");
    EXPECT_EQ(parentDirectory("/a/"), "/");
    EXPECT_EQ(parentDirectory("/"), "");
    EXPECT_EQ(parentDirectory(""), "");
}
