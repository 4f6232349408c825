#include "qt/program_view.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <utility>

namespace drovane {
namespace {

// A turn of the event loop indexes for about this long and then lets the
// window answer; a slice is small, so the last one overruns the budget little.
constexpr std::size_t SliceBytes = std::size_t{1024} * 1024;
constexpr qint64 SliceBudgetMs = 16;

} // namespace

ProgramView::ProgramView(ProgramTextWidget* editor) : QObject(editor), editor_(editor) {
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
    do {
        const std::string& front = pending_.front();
        const std::size_t length = std::min(SliceBytes, front.size() - frontShown_);
        editor_->append(std::string_view(front).substr(frontShown_, length));
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
