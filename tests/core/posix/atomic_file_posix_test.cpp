// Linux only: FIFOs, devices, sockets, symbolic links, owners and modes, and
// the in-place rewrite for a folder that takes no new file have no Windows
// counterpart.

#include "../atomic_file_fixture.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;
using drovane::writeFileAtomically;
using drovane::testing::AtomicFile;
using drovane::testing::contentOf;
using drovane::testing::folderTakesNoFile;
using drovane::testing::halfThenDiskFull;

namespace {

struct StrangeEntry {
    const char* what;
    // Puts the entry at `path`; false when this machine does not allow it.
    bool (*make)(const fs::path& path, const fs::path& folder);
};

bool makeFifo(const fs::path& path, const fs::path& /*folder*/) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

bool makeDevice(const fs::path& path, const fs::path& /*folder*/) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0; // like /dev/full
}

bool makeSocket(const fs::path& path, const fs::path& /*folder*/) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

bool makeDanglingLink(const fs::path& path, const fs::path& folder) {
    fs::create_symlink(folder / "gone.nc", path);
    return true;
}

bool makeLinkToFifo(const fs::path& path, const fs::path& folder) {
    fs::create_symlink(folder / "fifo", path);
    return ::mkfifo((folder / "fifo").c_str(), 0600) == 0;
}

mode_t typeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

} // namespace

TEST_F(AtomicFile, OnlyARegularFileIsEverReplaced) {
    const StrangeEntry entries[] = {
        {"fifo", makeFifo},
        {"device", makeDevice},
        {"socket", makeSocket},
        {"dangling link", makeDanglingLink},
        {"link to a fifo", makeLinkToFifo},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        const auto target = folder / "P1.nc";
        if (!entry.make(target, folder)) {
            continue; // mknod needs a privilege containers may lack
        }
        const std::size_t before = entriesInFolder();
        const mode_t type = typeOf(target);
        EXPECT_FALSE(writeFileAtomically(target, "G0\r\n"));
        EXPECT_FALSE(writeFileAtomically(target, "G0\r\n", nullptr, folderTakesNoFile));
        EXPECT_EQ(typeOf(target), type);
        EXPECT_EQ(entriesInFolder(), before);
        EXPECT_FALSE(fs::exists(folder / "gone.nc"));
    }
}

TEST_F(AtomicFile, ALinkIsWrittenThroughAndStaysALink) {
    fs::create_directories(folder / "real");
    const auto real = folder / "real" / "P1.nc";
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    fs::create_symlink(real, folder / "absolute.nc");
    fs::create_symlink(fs::path("real") / "P1.nc", folder / "relative.nc");

    ASSERT_TRUE(writeFileAtomically(folder / "absolute.nc", "first"));
    EXPECT_EQ(contentOf(real), "first");
    ASSERT_TRUE(writeFileAtomically(folder / "relative.nc", "second"));
    EXPECT_EQ(contentOf(real), "second");
    EXPECT_TRUE(fs::is_symlink(folder / "absolute.nc"));
    EXPECT_TRUE(fs::is_symlink(folder / "relative.nc"));
    EXPECT_EQ(entriesInFolder(), 3u);
}

TEST_F(AtomicFile, TheReplacementKeepsOwnerGroupAndModeAndANewFileFollowsTheUmask) {
    const auto shared = folder / "shared.ini";
    ASSERT_TRUE(writeFileAtomically(shared, "old"));
    ASSERT_EQ(::chown(shared.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 02664), 0);
    ASSERT_TRUE(writeFileAtomically(shared, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(info.st_mode & 07777, 02664u);

    const mode_t previous = ::umask(027);
    const bool written = writeFileAtomically(folder / "fresh.nc", "x");
    ::umask(previous);
    ASSERT_TRUE(written);
    ASSERT_EQ(::stat((folder / "fresh.nc").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

class InPlaceRewrite : public AtomicFile {
protected:
    void SetUp() override {
        AtomicFile::SetUp();
        backups = folder.string() + "_tmp";
        fs::create_directories(backups);
        const char* old = std::getenv("TMPDIR");
        oldTmpdir = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("TMPDIR", backups.c_str(), 1);
    }
    void TearDown() override {
        if (oldTmpdir) {
            ::setenv("TMPDIR", oldTmpdir->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        fs::remove_all(backups);
        AtomicFile::TearDown();
    }

    std::size_t backupsLeft() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(backups), fs::directory_iterator()));
    }
    static ino_t inodeOf(const fs::path& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    fs::path backups;
    std::optional<std::string> oldTmpdir;
};

TEST_F(InPlaceRewrite, AFolderWithoutRoomForATemporaryFileStillGetsItsFileSaved) {
    const auto target = folder / "drovane.ini";
    ASSERT_TRUE(writeFileAtomically(target, std::string(5000, 'o')));
    ASSERT_EQ(::chmod(target.c_str(), 0660), 0);
    const ino_t inode = inodeOf(target);

    ASSERT_TRUE(writeFileAtomically(target, "shorter", nullptr, folderTakesNoFile));
    EXPECT_EQ(contentOf(target), "shorter");
    EXPECT_EQ(inodeOf(target), inode);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0660u);
    EXPECT_EQ(entriesInFolder(), 1u);
    EXPECT_EQ(backupsLeft(), 0u);
}

TEST_F(InPlaceRewrite, AFailedRewriteBringsTheOldBytesBack) {
    const auto target = folder / "drovane.ini";
    ASSERT_TRUE(writeFileAtomically(target, "old content"));
    EXPECT_FALSE(writeFileAtomically(target, "new content that does not fit", halfThenDiskFull,
                                     folderTakesNoFile));
    EXPECT_EQ(contentOf(target), "old content");
    EXPECT_EQ(backupsLeft(), 0u);
}

TEST_F(InPlaceRewrite, NoBackupPlaceMeansNoRewrite) {
    const auto target = folder / "drovane.ini";
    ASSERT_TRUE(writeFileAtomically(target, "old content"));
    ::setenv("TMPDIR", (folder / "missing").c_str(), 1);
    // temp_directory_path() refuses a missing $TMPDIR, so no copy can be made.
    EXPECT_FALSE(writeFileAtomically(target, "new", nullptr, folderTakesNoFile));
    EXPECT_EQ(contentOf(target), "old content");
}
