// How the settings file meets the disk: nothing is written without a change,
// and a write that fails leaves the old file whole and says so.

#include "profiles/settings_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view OldContent = "Maschine = M1\r\n[M1]\r\nBaudrate = 300\r\n";

class SettingsDisk : public fixtures::TempFolder {};

// Writes part of the first block, then reports a full disk.
std::ptrdiff_t partThenDiskFull(OpenFile& file, std::string_view bytes) {
    static bool wrotePart = false;
    wrotePart = !wrotePart;
    if (wrotePart && bytes.size() > 1) {
        return writeToFile(file, bytes.substr(0, bytes.size() / 2));
    }
    return -1;
}

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

TEST_F(SettingsDisk, ReadingWithoutChangesLeavesBytesAndTimeStampAlone) {
    const std::string messy = "  Maschine=M1  \n\n[M1]x\r;c\r\nBaudrate=300";
    put(ini, messy);
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(ini, past);

    SettingsFile settings;
    ASSERT_TRUE(settings.open(ini));
    EXPECT_EQ(settings.readValue("Maschine", ""), "M1");
    settings.beginGroupListing();
    while (settings.nextGroup()) {
        settings.readValue("Baudrate", "");
    }
    settings.selectGroup("Missing");
    settings.removeGroup("Missing");
    EXPECT_TRUE(settings.close());

    EXPECT_EQ(get(ini), messy);
    EXPECT_EQ(fs::last_write_time(ini), past);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(SettingsDisk, AFullDiskLeavesTheOldFileWholeAndIsReported) {
    put(ini, OldContent);
    SettingsFile settings(partThenDiskFull);
    settings.open(ini);
    settings.selectGroup("M1");
    settings.writeValue("Baudrate", std::string(200, '9'));
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(settings.lastWriteFailed());
    EXPECT_EQ(get(ini), OldContent);
    EXPECT_EQ(entriesInFolder(), 1u);

    // The next successful write clears the failure.
    SettingsFile healthy;
    healthy.open(ini);
    healthy.writeValue("Path", "/nc/");
    EXPECT_TRUE(healthy.close());
    EXPECT_FALSE(healthy.lastWriteFailed());
}

TEST_F(SettingsDisk, AFileThatCannotBeWrittenKeepsReadsWorkingAndDropsChanges) {
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

TEST_F(SettingsDisk, APathBelowARegularFileReadsDefaultsAndReportsTheLostWrite) {
    put(folder / "plain", "x");
    SettingsFile settings;
    EXPECT_FALSE(settings.open(folder / "plain" / "drovane.ini"));
    EXPECT_EQ(settings.readValue("Pattern", "*.nc"), "*.nc");
    settings.writeValue("Pattern", "*.txt");
    EXPECT_FALSE(settings.close());
    EXPECT_EQ(get(folder / "plain"), "x");
}

TEST_F(SettingsDisk, AFolderOrAFifoAtThePathIsNeverReplaced) {
    fs::create_directories(ini / "inner");
    SettingsFile settings;
    EXPECT_FALSE(settings.open(ini));
    settings.writeValue("Pattern", "*.nc");
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(fs::is_directory(ini / "inner"));

    const auto fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(settings.open(fifo)); // must not hang waiting for a writer
    settings.writeValue("Pattern", "*.nc");
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(SettingsDisk, ARewriteKeepsPermissionsAndWritesThroughALink) {
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

TEST_F(SettingsDisk, ADanglingLinkIsNeitherReplacedNorFollowed) {
    fs::create_symlink(folder / "gone.ini", ini);
    SettingsFile settings;
    settings.open(ini);
    settings.writeValue("Pattern", "*.nc");
    EXPECT_FALSE(settings.close());
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_FALSE(fs::exists(folder / "gone.ini"));
}

TEST_F(SettingsDisk, AWritableFileInAFolderThatTakesNoNewFileIsStillSaved) {
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
