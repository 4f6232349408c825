#include "qt/program_view.h"

#include "qt/qt_text.h"

#include <QElapsedTimer>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <utility>

namespace drovane {
namespace {

// A turn of the event loop inserts for about this long and then lets the
// window answer; a slice is small, so the last one overruns the budget little.
constexpr std::size_t SliceBytes = std::size_t{8} * 1024;
constexpr qint64 SliceBudgetMs = 16;

} // namespace

ProgramView::ProgramView(QPlainTextEdit* editor) : QObject(editor), editor_(editor) {
    // The window offers no undo for the editor; the stack would only hold a
    // copy of every received byte.
    editor_->document()->setUndoRedoEnabled(false);
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &ProgramView::appendSlice);
}

void ProgramView::show(std::string_view bytes) {
    clear();
    append(std::string(bytes));
    appendSlice();
}

void ProgramView::append(std::string bytes) {
    if (bytes.empty()) {
        return;
    }
    pending_.push_back(std::move(bytes));
    if (!nextSlice_.isActive()) {
        nextSlice_.start();
    }
}

void ProgramView::clear() {
    nextSlice_.stop();
    pending_.clear();
    frontShown_ = 0;
    shownEndsInCr_ = false;
    editor_->clear();
}

void ProgramView::finish() {
    while (isFilling()) {
        appendSlice();
    }
}

void ProgramView::insert(QTextCursor& cursor, std::string_view bytes) {
    if (shownEndsInCr_ && bytes.starts_with('\n')) {
        bytes.remove_prefix(1);
        shownEndsInCr_ = false;
    }
    if (bytes.empty()) {
        return;
    }
    cursor.insertText(qStringFromWindows1252(bytes));
    shownEndsInCr_ = bytes.ends_with('\r');
}

void ProgramView::appendSlice() {
    if (!isFilling()) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    QTextCursor cursor(editor_->document());
    cursor.movePosition(QTextCursor::End);
    do {
        const std::string& front = pending_.front();
        const std::size_t length = std::min(SliceBytes, front.size() - frontShown_);
        insert(cursor, std::string_view(front).substr(frontShown_, length));
        frontShown_ += length;
        if (frontShown_ == front.size()) {
            pending_.pop_front();
            frontShown_ = 0;
        }
    } while (isFilling() && timer.elapsed() < SliceBudgetMs);
    if (isFilling()) {
        nextSlice_.start();
        return;
    }
    emit filled();
}

} // namespace drovane
