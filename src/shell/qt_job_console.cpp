#include "shell/qt_job_console.h"

#include "shell/main_window.h"
#include "window/app_state.h"

#include <QMetaObject>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextCursor>
#include <algorithm>
#include <limits>
#include <utility>

namespace drovane {
namespace {

using Kind = ConsoleOp::Kind;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int progressNumber(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

void dropSelection(QPlainTextEdit* editor) {
    QTextCursor cursor = editor->textCursor();
    cursor.clearSelection();
    editor->setTextCursor(cursor);
}

} // namespace

QtJobConsole::QtJobConsole(MainWindow& window, AppState& state) : window_(window), state_(state) {
    drainTimer_.setSingleShot(true);
    connect(&drainTimer_, &QTimer::timeout, this, &QtJobConsole::drain);
}

void QtJobConsole::push(ConsoleOp op) {
    bool request = false;
    {
        const std::lock_guard lock(mutex_);
        queue_.push(std::move(op));
        request = !std::exchange(drainRequested_, true);
    }
    if (request) {
        // By name: the functor form hands Qt an allocation that the
        // analyser takes for a leak.
        QMetaObject::invokeMethod(this, "scheduleDrain", Qt::QueuedConnection);
    }
}

void QtJobConsole::scheduleDrain() {
    if (drainTimer_.isActive()) {
        return;
    }
    const qint64 since = sinceDrain_.isValid() ? sinceDrain_.elapsed() : MinimumGapMs;
    drainTimer_.start(static_cast<int>(std::max<qint64>(0, MinimumGapMs - since)));
}

void QtJobConsole::drain() {
    if (draining_) {
        // A question asked by a task runs its own event loop; what comes
        // meanwhile waits for the batch around it to end.
        drainTimer_.start(MinimumGapMs);
        return;
    }
    std::vector<ConsoleOp> ops;
    {
        const std::lock_guard lock(mutex_);
        ops = queue_.take();
        drainRequested_ = false;
    }
    if (ops.empty()) {
        return;
    }
    draining_ = true;
    sinceDrain_.restart();
    ++batches_;
    for (ConsoleOp& op : ops) {
        apply(op);
    }
    draining_ = false;
}

bool QtJobConsole::idle() {
    const std::lock_guard lock(mutex_);
    return queue_.empty() && !window_.programView().isFilling();
}

void QtJobConsole::apply(ConsoleOp& op) {
    switch (op.kind) {
    case Kind::StartCaption:
        window_.startButton()->setText(utf8(op.text));
        break;
    case Kind::ProgressMaximum:
        window_.controlAs<QProgressBar>("TransferProgress")->setMaximum(progressNumber(op.number));
        break;
    case Kind::ProgressValue:
        window_.controlAs<QProgressBar>("TransferProgress")->setValue(progressNumber(op.number));
        break;
    case Kind::TabTitle:
        window_.setProgramTabTitle(utf8(op.text));
        break;
    case Kind::ClearFileName:
        window_.fileNameField()->clear();
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

void QtJobConsole::applyToLog(ConsoleOp& op) {
    auto* log = window_.controlAs<QPlainTextEdit>("StatusLine");
    switch (op.kind) {
    case Kind::AppendLine:
        window_.appendStatus(utf8(op.text));
        break;
    case Kind::ReplaceLastLine: {
        QTextCursor cursor(log->document());
        cursor.movePosition(QTextCursor::End);
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(utf8(op.text));
        break;
    }
    case Kind::ClearLog:
        window_.clearStatus();
        break;
    case Kind::ClearLogSelection:
        dropSelection(log);
        break;
    default:
        break;
    }
}

void QtJobConsole::applyToEditor(ConsoleOp& op) {
    auto* editor = window_.controlAs<QPlainTextEdit>("ProgramEditor");
    switch (op.kind) {
    case Kind::ClearEditor:
        window_.programView().clear();
        break;
    case Kind::AppendEditor:
        window_.programView().append(std::move(op.text));
        break;
    case Kind::ClearEditorSelection:
        dropSelection(editor);
        break;
    case Kind::EditorCaretToStart: {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(0);
        editor->setTextCursor(cursor);
        break;
    }
    default:
        break;
    }
}

void QtJobConsole::appendLine(std::string_view line) {
    push({Kind::AppendLine, std::string(line)});
}

void QtJobConsole::replaceLastLine(std::string_view line) {
    push({Kind::ReplaceLastLine, std::string(line)});
}

void QtJobConsole::clearLog() {
    push({Kind::ClearLog});
}

void QtJobConsole::clearLogSelection() {
    push({Kind::ClearLogSelection});
}

void QtJobConsole::setStartCaption(std::string_view caption) {
    push({Kind::StartCaption, std::string(caption)});
}

void QtJobConsole::setProgressMaximum(std::int64_t maximum) {
    push({Kind::ProgressMaximum, {}, maximum});
}

void QtJobConsole::setProgressValue(std::int64_t value) {
    push({Kind::ProgressValue, {}, value});
}

void QtJobConsole::clearEditor() {
    push({Kind::ClearEditor});
}

void QtJobConsole::appendEditor(std::string_view bytes) {
    push({Kind::AppendEditor, std::string(bytes)});
}

void QtJobConsole::clearEditorSelection() {
    push({Kind::ClearEditorSelection});
}

void QtJobConsole::editorCaretToStart() {
    push({Kind::EditorCaretToStart});
}

void QtJobConsole::setEditorTabTitle(std::string_view title) {
    push({Kind::TabTitle, std::string(title)});
}

void QtJobConsole::clearFileName() {
    push({Kind::ClearFileName});
}

void QtJobConsole::setProgramText(std::string text) {
    push({Kind::ProgramText, std::move(text)});
}

void QtJobConsole::post(std::function<void()> task) {
    push({Kind::Task, {}, 0, std::move(task)});
}

} // namespace drovane
