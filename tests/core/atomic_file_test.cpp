#include "atomic_file_fixture.h"

namespace fs = std::filesystem;
using drovane::writeFileAtomically;
using drovane::testing::AtomicFile;
using drovane::testing::contentOf;
using drovane::testing::halfThenDiskFull;

TEST_F(AtomicFile, AShorterTextReplacesTheWholeFile) {
    const auto target = folder / "P1.nc";
    ASSERT_TRUE(writeFileAtomically(target, std::string(1000, 'x')));
    const std::string shorter = "G0 X1\r\n\x80\xFF\n";
    ASSERT_TRUE(writeFileAtomically(target, shorter));
    EXPECT_EQ(contentOf(target), shorter);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(AtomicFile, AFailedWriteLeavesTheOldFileWholeAndNoLitter) {
    const auto target = folder / "drovane.ini";
    ASSERT_TRUE(writeFileAtomically(target, "old content"));
    EXPECT_FALSE(writeFileAtomically(target, "new content that does not fit", halfThenDiskFull));
    EXPECT_EQ(contentOf(target), "old content");
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(AtomicFile, UnwritableTargetsAreReportedNotHidden) {
    EXPECT_FALSE(writeFileAtomically(folder / "missing" / "P1.nc", "x"));
    ASSERT_TRUE(writeFileAtomically(folder / "file", "x"));
    EXPECT_FALSE(writeFileAtomically(folder / "file" / "below", "x"));
    fs::create_directories(folder / "dir" / "inner");
    EXPECT_FALSE(writeFileAtomically(folder / "dir", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "dir" / "inner"));
    EXPECT_EQ(entriesInFolder(), 2u);
}
