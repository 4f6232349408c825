#include "programs/program_rescue.h"
#include "temp_folder.h"

#include <algorithm>

namespace fs = std::filesystem;
using drovane::rescueProgram;

namespace {

class ProgramRescue : public drovane::testing::TempFolder {
protected:
    // A path below a regular file: no system lets anything be created there.
    fs::path unusable() const {
        put(folder / "plain", "x");
        return folder / "plain" / "below";
    }
    fs::path usable(const char* name) const {
        fs::create_directories(folder / name);
        return folder / name;
    }
};

bool isShortAndSafe(const std::string& name) {
    return name.size() <= 40 && std::ranges::all_of(name, [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '.';
           });
}

} // namespace

TEST_F(ProgramRescue, TheFirstFolderThatTakesItGetsTheText) {
    const auto rescued = rescueProgram("N1 G0\r\n\xE4\xFF", {unusable(), usable("second")});
    ASSERT_TRUE(rescued.has_value());
    EXPECT_EQ(rescued->parent_path(), folder / "second");
    EXPECT_EQ(contentOf(*rescued), "N1 G0\r\n\xE4\xFF");
    EXPECT_TRUE(isShortAndSafe(rescued->filename().string())) << *rescued;
}

TEST_F(ProgramRescue, RescuesInARowKeepEveryText) {
    const fs::path into = usable("into");
    const auto first = rescueProgram("first", {into});
    const auto second = rescueProgram("second", {into});
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(contentOf(*first), "first");
    EXPECT_EQ(contentOf(*second), "second");
}

TEST_F(ProgramRescue, NoFolderTakingItIsSaidAsSuch) {
    EXPECT_FALSE(rescueProgram("text", {unusable(), folder / "missing"}).has_value());
    EXPECT_FALSE(rescueProgram("text", {}).has_value());
}
