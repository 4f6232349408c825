// The queue between a job and the window: what may fold into one update and
// what must keep its place.

#include "window/console_queue.h"

#include <gtest/gtest.h>

namespace drovane::testing {
namespace {

using Kind = ConsoleOp::Kind;

std::vector<Kind> kinds(const std::vector<ConsoleOp>& ops) {
    std::vector<Kind> result;
    result.reserve(ops.size());
    for (const ConsoleOp& op : ops) {
        result.push_back(op.kind);
    }
    return result;
}

TEST(ConsoleQueueTest, FoldsOnlyWhatNoOtherCallOfTheSameWidgetSeparates) {
    ConsoleQueue queue;
    EXPECT_TRUE(queue.push({Kind::AppendLine, "a"}));
    EXPECT_FALSE(queue.push({Kind::ReplaceLastLine, "1"}));
    queue.push({Kind::AppendEditor, "x"});
    queue.push({Kind::ClearEditorSelection});
    queue.push({Kind::ProgressValue, {}, 1});
    queue.push({Kind::ReplaceLastLine, "2"});
    queue.push({Kind::AppendEditor, "y"});
    queue.push({Kind::ClearEditorSelection});
    queue.push({Kind::ProgressValue, {}, 2});
    // A new line ends the folding of the count line; a new maximum that of the value.
    queue.push({Kind::AppendLine, "b"});
    queue.push({Kind::ReplaceLastLine, "3"});
    queue.push({Kind::ProgressMaximum, {}, 9});
    queue.push({Kind::ProgressValue, {}, 3});
    // Clearing the editor is never passed.
    queue.push({Kind::ClearEditor});
    queue.push({Kind::AppendEditor, "z"});

    const std::vector<ConsoleOp> ops = queue.take();
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(kinds(ops),
              (std::vector<Kind>{Kind::AppendLine, Kind::ReplaceLastLine, Kind::AppendEditor,
                                 Kind::ClearEditorSelection, Kind::ProgressValue, Kind::AppendLine,
                                 Kind::ReplaceLastLine, Kind::ProgressMaximum, Kind::ProgressValue,
                                 Kind::ClearEditor, Kind::AppendEditor}));
    EXPECT_EQ(ops[1].text, "2");
    EXPECT_EQ(ops[2].text, "xy");
    EXPECT_EQ(ops[4].number, 2);
    EXPECT_EQ(ops[6].text, "3");
    EXPECT_EQ(ops[8].number, 3);
    EXPECT_EQ(ops[10].text, "z");

    // After a take nothing folds into what has already gone.
    EXPECT_TRUE(queue.push({Kind::ReplaceLastLine, "4"}));
    EXPECT_EQ(queue.size(), 1U);
}

TEST(ConsoleQueueTest, ABurstOfLogSelectionClearingsArrivesAsOne) {
    ConsoleQueue queue;
    queue.push({Kind::AppendLine, "a"});
    // What the send job reports for every byte.
    for (int byte = 1; byte <= 1000; ++byte) {
        queue.push({Kind::ProgressValue, {}, byte});
        queue.push({Kind::ClearLogSelection});
    }
    // A line between them keeps its place.
    queue.push({Kind::AppendLine, "b"});
    queue.push({Kind::ClearLogSelection});
    queue.push({Kind::ClearLogSelection});
    const std::vector<ConsoleOp> ops = queue.take();
    EXPECT_EQ(kinds(ops),
              (std::vector<Kind>{Kind::AppendLine, Kind::ProgressValue, Kind::ClearLogSelection,
                                 Kind::AppendLine, Kind::ClearLogSelection}));
    EXPECT_EQ(ops[1].number, 1000);
}

} // namespace
} // namespace drovane::testing
