#include "programs/program_file.h"

#include <gtest/gtest.h>

using drovane::decideSave;
using drovane::OverwriteDecision;
using drovane::SaveStep;

namespace {

constexpr const char* judged = "/nc/P1.nc";

struct Row {
    const char* pathNow;
    OverwriteDecision decision;
    bool fileNow;
    SaveStep expected;
};

} // namespace

TEST(SaveDecision, TheAnswerHoldsOnlyForThePathAndStateItJudged) {
    using enum OverwriteDecision;
    const Row rows[] = {
        // Same path, nothing changed since the check.
        {judged, Overwrite, true, SaveStep::Write},
        {judged, KeepExisting, true, SaveStep::Skip},
        {judged, NoFileOrEmptyName, false, SaveStep::Write},
        {judged, InvalidName, false, SaveStep::Skip},
        // The judged file went away: writing replaces nothing.
        {judged, Overwrite, false, SaveStep::Write},
        {judged, KeepExisting, false, SaveStep::Write},
        // A file appeared at the judged path after "no file there".
        {judged, NoFileOrEmptyName, true, SaveStep::AskAgain},
        // The fields now name another path: whatever was answered does not apply.
        {"/nc/P2.nc", Overwrite, true, SaveStep::AskAgain},
        {"/nc/P2.nc", Overwrite, false, SaveStep::AskAgain},
        {"/nc/P2.nc", KeepExisting, false, SaveStep::AskAgain},
        {"/nc/P2.nc", NoFileOrEmptyName, true, SaveStep::AskAgain},
        {"/nc/P1.NC", NoFileOrEmptyName, false, SaveStep::AskAgain},
        {"/nc/P2.nc", InvalidName, false, SaveStep::Skip},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decideSave(row.decision, judged, row.pathNow, row.fileNow), row.expected)
            << static_cast<int>(row.decision) << " " << row.pathNow << " " << row.fileNow;
    }
}

TEST(SaveDecision, ANameTypedAfterAnEmptyCheckIsCheckedBeforeTheSave) {
    EXPECT_EQ(decideSave(OverwriteDecision::NoFileOrEmptyName, "", "/nc/P1.nc", false),
              SaveStep::AskAgain);
}
