#include "window/console_queue.h"

#include <utility>

namespace drovane {

using Kind = ConsoleOp::Kind;

ConsoleQueue::Widget ConsoleQueue::widgetOf(Kind kind) {
    switch (kind) {
    case Kind::AppendLine:
    case Kind::ReplaceLastLine:
    case Kind::ClearLog:
    case Kind::ClearLogSelection:
        return Widget::Log;
    case Kind::ProgressMaximum:
    case Kind::ProgressValue:
        return Widget::Progress;
    case Kind::ClearEditor:
    case Kind::AppendEditor:
    case Kind::ClearEditorSelection:
    case Kind::EditorCaretToStart:
        return Widget::Editor;
    default:
        return Widget::Other;
    }
}

bool ConsoleQueue::isKind(std::optional<std::size_t> index, Kind kind) const {
    return index && ops_[*index].kind == kind;
}

// Folding is sound because nothing between the two calls touches the same
// widget, and the other widgets do not depend on it.
bool ConsoleQueue::fold(ConsoleOp& op) {
    switch (op.kind) {
    case Kind::ReplaceLastLine:
        if (isKind(lastLog_, Kind::ReplaceLastLine)) {
            ops_[*lastLog_].text = std::move(op.text);
            return true;
        }
        return false;
    case Kind::ProgressValue:
        if (isKind(lastProgress_, Kind::ProgressValue)) {
            ops_[*lastProgress_].number = op.number;
            return true;
        }
        return false;
    case Kind::AppendEditor:
        if (isKind(lastEditor_, Kind::AppendEditor)) {
            ops_[*lastEditor_].text += op.text;
            return true;
        }
        // Text added at the end leaves the selection alone, so an append may
        // pass a selection clearing.
        if (isKind(lastEditor_, Kind::ClearEditorSelection) &&
            isKind(editorBefore_, Kind::AppendEditor)) {
            ops_[*editorBefore_].text += op.text;
            return true;
        }
        return false;
    // The send job clears the log's selection after every byte.
    case Kind::ClearLogSelection:
        return isKind(lastLog_, Kind::ClearLogSelection);
    case Kind::ClearEditorSelection:
        return isKind(lastEditor_, Kind::ClearEditorSelection);
    default:
        return false;
    }
}

bool ConsoleQueue::push(ConsoleOp op) {
    const bool wasEmpty = ops_.empty();
    if (fold(op)) {
        return wasEmpty;
    }
    const std::size_t index = ops_.size();
    switch (widgetOf(op.kind)) {
    case Widget::Log:
        lastLog_ = index;
        break;
    case Widget::Progress:
        lastProgress_ = index;
        break;
    case Widget::Editor:
        editorBefore_ = lastEditor_;
        lastEditor_ = index;
        break;
    case Widget::Other:
        break;
    }
    ops_.push_back(std::move(op));
    return wasEmpty;
}

std::vector<ConsoleOp> ConsoleQueue::take() {
    lastLog_.reset();
    lastProgress_.reset();
    lastEditor_.reset();
    editorBefore_.reset();
    return std::exchange(ops_, {});
}

} // namespace drovane
