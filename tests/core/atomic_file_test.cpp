#include "core/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace fs = std::filesystem;
using drovane::writeFileAtomically;

namespace {

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("atomic_file_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

// Writes half of what it is asked, then reports a full disk.
ssize_t halfThenDiskFull(int fd, const void* data, std::size_t size) {
    static bool wroteHalf = false;
    wroteHalf = !wroteHalf;
    if (wroteHalf && size > 1) {
        return ::write(fd, data, size / 2);
    }
    errno = ENOSPC;
    return -1;
}

} // namespace

TEST_F(AtomicFile, ReplacesTheWholeFileAndKeepsItsPermissions) {
    const auto target = folder / "P1.nc";
    ASSERT_TRUE(writeFileAtomically(target, std::string(1000, 'x')));
    ::chmod(target.c_str(), 0640);
    const std::string shorter = "G0 X1\r\n\x80\xFF\n";
    ASSERT_TRUE(writeFileAtomically(target, shorter));
    EXPECT_EQ(contentOf(target), shorter);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
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
