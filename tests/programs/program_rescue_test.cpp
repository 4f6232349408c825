#include "programs/program_rescue.h"
#include "temp_folder.h"

#include <algorithm>

namespace fs = std::filesystem;

class ProgramRescue : public drovane::testing::TempFolder {};

TEST_F(ProgramRescue, TheFirstFolderThatTakesItGetsTheTextUnderASafeName) {
    put(folder / "plain", "x");
    fs::create_directories(folder / "second");
    // Nothing can be created below a regular file, nor in a missing folder.
    const auto rescued = drovane::rescueProgram(
        "N1 G0\r\n\xE4\xFF", {folder / "plain" / "below", folder / "missing", folder / "second"});
    ASSERT_TRUE(rescued.has_value());
    EXPECT_EQ(rescued->parent_path(), folder / "second");
    EXPECT_EQ(contentOf(*rescued), "N1 G0\r\n\xE4\xFF");
    const std::string name = rescued->filename().string();
    EXPECT_LE(name.size(), 40U);
    EXPECT_TRUE(std::ranges::all_of(name, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '.';
    })) << name;
}
