#include "shell/program_view.h"

#include "shell/qt_text.h"

#include <QElapsedTimer>
#include <QTextCursor>
#include <QTimer>

namespace drovane {
namespace {

// Each slice ends at a line break, so a CR LF pair never straddles two slices.
constexpr qsizetype SliceChars = qsizetype{64} * 1024;
constexpr qint64 SliceBudgetMs = 30;

qsizetype sliceEnd(const QString& text, qsizetype from) {
    if (text.size() - from <= SliceChars) {
        return text.size();
    }
    const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'), from + SliceChars);
    return lineFeed < 0 ? text.size() : lineFeed + 1;
}

} // namespace

ProgramView::ProgramView(QPlainTextEdit* editor) : QObject(editor), editor_(editor) {
    editor_->document()->setUndoRedoEnabled(false);
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &ProgramView::appendSlice);
}

void ProgramView::show(std::string_view bytes) {
    clear();
    pending_ = qStringFromWindows1252(bytes);
    next_ = 0;
    appendSlice();
}

void ProgramView::append(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    if (!isFilling()) {
        pending_.clear();
        next_ = 0;
        if (shownEndsInCr_ && bytes.front() == '\n') {
            bytes.remove_prefix(1);
        }
    }
    if (next_ > pending_.size() / 2) {
        pending_.remove(0, next_); // what is shown need not be kept twice
        next_ = 0;
    }
    pending_ += qStringFromWindows1252(bytes);
    if (isFilling() && !nextSlice_.isActive()) {
        nextSlice_.start();
    }
}

void ProgramView::clear() {
    nextSlice_.stop();
    pending_.clear();
    next_ = 0;
    shownEndsInCr_ = false;
    editor_->clear();
}

void ProgramView::finish() {
    while (isFilling()) {
        appendSlice();
    }
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
        const qsizetype end = sliceEnd(pending_, next_);
        cursor.insertText(pending_.mid(next_, end - next_));
        shownEndsInCr_ = pending_.at(end - 1) == QLatin1Char('\r');
        next_ = end;
    } while (isFilling() && timer.elapsed() < SliceBudgetMs);
    if (isFilling()) {
        nextSlice_.start();
        return;
    }
    pending_.clear();
    next_ = 0;
    emit filled();
}

} // namespace drovane
