// Linux only: the immutable flag, FIFOs, permission bits, symbolic links and
// the in-place rewrite have no Windows counterpart.

#include "profiles/settings_file.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view OldContent = "Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n";

class SettingsDiskOnLinux : public fixtures::TempFolder {};

bool setImmutable(const fs::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace

TEST_F(SettingsDiskOnLinux, AFifoAtThePathIsNeverOpenedOrReplaced) {
    const auto fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    SettingsFile settings;
    EXPECT_FALSE(settings.open(fifo)); // must not hang waiting for a writer
    settings.writeValue("Pattern", "*.nc");
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(SettingsDiskOnLinux, AFileThatCannotBeWrittenKeepsReadsWorkingAndDropsChanges) {
    // Root ignores permission bits; the immutable flag stops root too.
    put(ini, OldContent);
    if (!setImmutable(ini, true)) {
        GTEST_SKIP() << "the immutable flag cannot be set here";
    }
    SettingsFile settings;
    const bool opened = settings.open(ini);
    EXPECT_EQ(settings.readValue("Maschine", ""), "M1");
    settings.writeValue("Maschine", "M2");
    EXPECT_EQ(settings.readValue("Maschine", ""), "M2");
    settings.removeGroup("M1");
    const bool closed = settings.close();
    setImmutable(ini, false);

    EXPECT_TRUE(opened);
    EXPECT_FALSE(closed);
    EXPECT_EQ(get(ini), OldContent);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(SettingsDiskOnLinux, ARewriteKeepsPermissionsAndWritesThroughALink) {
    const auto real = folder / "real.ini";
    put(real, OldContent);
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, ini);

    SettingsFile settings;
    settings.open(ini);
    settings.writeValue("Maschine", "M2");
    ASSERT_TRUE(settings.close());

    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(get(real), "Maschine = M2\r\n[M1]\r\nBaudrate = 300\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(entriesInFolder(), 2u);
}

TEST_F(SettingsDiskOnLinux, ADanglingLinkIsNeitherReplacedNorFollowed) {
    fs::create_symlink(folder / "gone.ini", ini);
    SettingsFile settings;
    settings.open(ini);
    settings.writeValue("Pattern", "*.nc");
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_FALSE(fs::exists(folder / "gone.ini"));
}

TEST_F(SettingsDiskOnLinux, AWritableFileInAFolderThatTakesNoNewFileIsStillSaved) {
    put(ini, OldContent);
    // The immutable flag on the folder stops root from creating files there,
    // not from writing the file that is already in it.
    if (!setImmutable(folder, true)) {
        GTEST_SKIP() << "the immutable flag cannot be set here";
    }
    SettingsFile settings;
    settings.open(ini);
    settings.writeValue("Maschine", "M2");
    const bool closed = settings.close();
    setImmutable(folder, false);

    EXPECT_TRUE(closed);
    EXPECT_EQ(get(ini), "Maschine = M2\r\n[M1]\r\nBaudrate = 300\r\n");
    EXPECT_EQ(entriesInFolder(), 1u);
}
