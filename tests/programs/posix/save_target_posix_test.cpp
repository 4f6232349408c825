// Linux only: symbolic links, FIFOs and /dev/null as save targets.

#include "../temp_folder.h"
#include "programs/program_file.h"

#include <sys/stat.h>

namespace fs = std::filesystem;
using drovane::fileExists;

namespace {

class SaveTargetOnLinux : public drovane::testing::TempFolder {};

} // namespace

TEST_F(SaveTargetOnLinux, FileExistsMeansAnythingASaveWouldMeetButAFolder) {
    put(folder / "P1.nc", "x");
    fs::create_directories(folder / "P2.nc");
    fs::create_symlink(folder / "P1.nc", folder / "link.nc");
    fs::create_symlink(folder / "gone.nc", folder / "dangling.nc");
    fs::create_symlink(folder / "P2.nc", folder / "folder-link.nc");
    ASSERT_EQ(::mkfifo((folder / "fifo.nc").c_str(), 0600), 0);
    EXPECT_TRUE(fileExists(folder / "P1.nc"));
    EXPECT_TRUE(fileExists(folder / "link.nc"));
    EXPECT_TRUE(fileExists(folder / "dangling.nc"));
    EXPECT_TRUE(fileExists(folder / "fifo.nc"));
    EXPECT_TRUE(fileExists("/dev/null"));
    EXPECT_FALSE(fileExists(folder / "P2.nc"));
    EXPECT_FALSE(fileExists(folder / "folder-link.nc"));
    EXPECT_FALSE(fileExists(folder / "missing.nc"));
    EXPECT_FALSE(fileExists(folder / "P1.nc" / "below"));
}
