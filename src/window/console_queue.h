#pragma once

// What a job has reported and the window has not yet shown, in order. Calls
// that only matter by their last value are folded into the one still
// waiting, so that the window applies one update where the job made a
// thousand: the progress value, the running count line, the editor appends
// and the clearing of a selection. Not thread-safe; the console guards it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace drovane {

struct ConsoleOp {
    enum class Kind : std::uint8_t {
        AppendLine,
        ReplaceLastLine,
        ClearLog,
        ClearLogSelection,
        StartCaption,
        ProgressMaximum,
        ProgressValue,
        ClearEditor,
        AppendEditor,
        ClearEditorSelection,
        EditorCaretToStart,
        TabTitle,
        ClearFileName,
        ProgramText,
        Task,
    };

    Kind kind;
    std::string text{};
    std::int64_t number = 0;
    std::function<void()> task{};
};

class ConsoleQueue {
public:
    // True when the queue was empty before.
    bool push(ConsoleOp op);
    // Everything waiting, oldest first; the queue is empty afterwards.
    std::vector<ConsoleOp> take();
    bool empty() const { return ops_.empty(); }
    std::size_t size() const { return ops_.size(); }

private:
    enum class Widget : std::uint8_t { Log, Progress, Editor, Other };
    static Widget widgetOf(ConsoleOp::Kind kind);
    bool fold(ConsoleOp& op);
    bool isKind(std::optional<std::size_t> index, ConsoleOp::Kind kind) const;

    std::vector<ConsoleOp> ops_;
    std::optional<std::size_t> lastLog_;
    std::optional<std::size_t> lastProgress_;
    std::optional<std::size_t> lastEditor_;
    std::optional<std::size_t> editorBefore_;
};

} // namespace drovane
