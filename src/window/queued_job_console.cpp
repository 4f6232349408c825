#include "window/queued_job_console.h"

#include "window/tabs.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace drovane {
namespace {

using Kind = ConsoleOp::Kind;

int progressNumber(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

} // namespace

void QueuedJobConsole::push(ConsoleOp op) {
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        queue_.push(std::move(op));
        wake = !std::exchange(drainDue_, true);
    }
    if (wake && wakeUp_) {
        wakeUp_();
    }
}

QueuedJobConsole::Drain QueuedJobConsole::drain() {
    if (draining_) {
        return Drain::Busy;
    }
    std::vector<ConsoleOp> ops;
    {
        const std::lock_guard lock(mutex_);
        ops = queue_.take();
        drainDue_ = false;
    }
    if (ops.empty()) {
        return Drain::Nothing;
    }
    draining_ = true;
    ++batches_;
    for (ConsoleOp& op : ops) {
        apply(op);
    }
    draining_ = false;
    return Drain::Applied;
}

bool QueuedJobConsole::empty() {
    const std::lock_guard lock(mutex_);
    return queue_.empty();
}

void QueuedJobConsole::apply(ConsoleOp& op) {
    switch (op.kind) {
    case Kind::StartCaption:
        view_.setText("StartButton", op.text);
        break;
    case Kind::ProgressMaximum:
        view_.setProgressMaximum(progressNumber(op.number));
        break;
    case Kind::ProgressValue:
        view_.setProgressValue(progressNumber(op.number));
        break;
    case Kind::TabTitle:
        view_.setTabTitle(ProgramTab, op.text);
        break;
    case Kind::ClearFileName:
        view_.setText("FileNameField", "");
        break;
    case Kind::ProgramText:
        state_.programText = std::move(op.text);
        break;
    case Kind::Task:
        op.task();
        break;
    case Kind::ClearEditor:
    case Kind::AppendEditor:
    case Kind::ClearEditorSelection:
    case Kind::EditorCaretToStart:
        applyToEditor(op);
        break;
    default:
        applyToLog(op);
        break;
    }
}

void QueuedJobConsole::applyToLog(const ConsoleOp& op) {
    switch (op.kind) {
    case Kind::AppendLine:
        view_.appendStatus(op.text);
        break;
    case Kind::ReplaceLastLine:
        view_.replaceLastStatus(op.text);
        break;
    case Kind::ClearLog:
        view_.clearStatus();
        break;
    case Kind::ClearLogSelection:
        view_.clearStatusSelection();
        break;
    default:
        break;
    }
}

void QueuedJobConsole::applyToEditor(const ConsoleOp& op) {
    switch (op.kind) {
    case Kind::ClearEditor:
        view_.clearEditor();
        break;
    case Kind::AppendEditor:
        view_.appendEditor(op.text);
        break;
    case Kind::ClearEditorSelection:
        view_.clearEditorSelection();
        break;
    case Kind::EditorCaretToStart:
        view_.editorCaretToStart();
        break;
    default:
        break;
    }
}

void QueuedJobConsole::appendLine(std::string_view line) {
    push({Kind::AppendLine, std::string(line)});
}

void QueuedJobConsole::replaceLastLine(std::string_view line) {
    push({Kind::ReplaceLastLine, std::string(line)});
}

void QueuedJobConsole::clearLog() {
    push({Kind::ClearLog});
}

void QueuedJobConsole::clearLogSelection() {
    push({Kind::ClearLogSelection});
}

void QueuedJobConsole::setStartCaption(std::string_view caption) {
    push({Kind::StartCaption, std::string(caption)});
}

void QueuedJobConsole::setProgressMaximum(std::int64_t maximum) {
    push({Kind::ProgressMaximum, {}, maximum});
}

void QueuedJobConsole::setProgressValue(std::int64_t value) {
    push({Kind::ProgressValue, {}, value});
}

void QueuedJobConsole::clearEditor() {
    push({Kind::ClearEditor});
}

void QueuedJobConsole::appendEditor(std::string_view bytes) {
    push({Kind::AppendEditor, std::string(bytes)});
}

void QueuedJobConsole::clearEditorSelection() {
    push({Kind::ClearEditorSelection});
}

void QueuedJobConsole::editorCaretToStart() {
    push({Kind::EditorCaretToStart});
}

void QueuedJobConsole::setEditorTabTitle(std::string_view title) {
    push({Kind::TabTitle, std::string(title)});
}

void QueuedJobConsole::clearFileName() {
    push({Kind::ClearFileName});
}

void QueuedJobConsole::setProgramText(std::string text) {
    push({Kind::ProgramText, std::move(text)});
}

void QueuedJobConsole::showSendPosition(std::size_t line, std::int64_t bytesLeft) {
    post([this, line, bytesLeft] {
        if (sendPositionShown_) {
            sendPositionShown_(line, bytesLeft);
        }
    });
}

void QueuedJobConsole::post(std::function<void()> task) {
    push({Kind::Task, {}, 0, std::move(task)});
}

} // namespace drovane
