// Linux only: the temporary folder comes from TMPDIR.

#include "../temp_folder.h"
#include "core/home_folder.h"
#include "programs/program_rescue.h"

#include <cstdlib>

namespace fs = std::filesystem;
using drovane::rescueFolders;

TEST(RescueFolders, TemporaryTargetSettingsAndHomeInThisOrder) {
    const std::string temporary = fs::temp_directory_path().string();
    ::setenv("TMPDIR", "/nowhere/at/all", 1);
    const auto withoutTemporary = rescueFolders("/nc/sub/P1.nc", "/opt/drovane/drovane.ini");
    ::setenv("TMPDIR", temporary.c_str(), 1);
    EXPECT_EQ(withoutTemporary, (std::vector<fs::path>{"/nc/sub", "/opt/drovane",
                                                       fs::absolute(drovane::homeFolder())}));
    const auto all = rescueFolders("/nc/sub/P1.nc", "/opt/drovane/drovane.ini");
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), fs::absolute(temporary));
}
