#include "core/text.h"

#include <gtest/gtest.h>

using drovane::directoryPart;
using drovane::extension;
using drovane::filePart;

TEST(PathPieces, SplitAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(filePart("/home/nc/P1.nc"), "P1.nc");
    EXPECT_EQ(directoryPart("/home/nc/P1.nc"), "/home/nc/");
    EXPECT_EQ(filePart("c:\\nc\\sub/P2.NC"), "P2.NC");
    EXPECT_EQ(directoryPart("c:\\nc\\sub/P2.NC"), "c:\\nc\\sub/");
    EXPECT_EQ(filePart("P3"), "P3");
    EXPECT_EQ(directoryPart("P3"), "");
    EXPECT_EQ(filePart("/dir/"), "");
}

TEST(PathPieces, QuotesAreSkippedAndEndTheText) {
    EXPECT_EQ(filePart("\"/my dir/P 1.nc\""), "P 1.nc");
    EXPECT_EQ(directoryPart("\"/my dir/P 1.nc\" rest"), "/my dir/");
    EXPECT_EQ(extension("\"/a/b.nc\".txt"), "nc");
    EXPECT_EQ(filePart("/a/b\"c/d"), "b");
}

TEST(PathPieces, ExtensionComesFromTheLastComponentOnly) {
    EXPECT_EQ(extension("*.nc"), "nc");
    EXPECT_EQ(extension("P*.nc"), "nc");
    EXPECT_EQ(extension("/a.dir/P1"), "");
    EXPECT_EQ(extension("/a/P1."), "");
    EXPECT_EQ(extension("/a/P1.tar.gz"), "gz");
    EXPECT_EQ(extension("*.*"), "*");
    EXPECT_EQ(extension(""), "");
}
