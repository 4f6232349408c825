#include "qt/program_view.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstddef>
#include <string>
#include <utility>

namespace drovane {
namespace {

// A turn of the event loop indexes for about this long and then lets the
// window answer; a slice is small, so the last one overruns the budget little.
constexpr std::size_t SliceBytes = std::size_t{256} * 1024;
constexpr qint64 SliceBudgetMs = 16;

} // namespace

ProgramView::ProgramView(ProgramTextWidget* editor) : QObject(editor), editor_(editor) {
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &ProgramView::appendSlices);
}

void ProgramView::show(std::string_view bytes) {
    show(SharedText(std::string(bytes)));
}

void ProgramView::show(SharedText text) {
    nextSlice_.stop();
    editor_->show(std::move(text));
    appendSlice();
    startSlices();
}

void ProgramView::append(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    editor_->append(bytes);
    startSlices();
}

void ProgramView::clear() {
    nextSlice_.stop();
    editor_->clear();
}

void ProgramView::finish() {
    while (isFilling()) {
        appendSlice();
    }
}

void ProgramView::startSlices() {
    if (isFilling() && !nextSlice_.isActive()) {
        nextSlice_.start();
    }
}

void ProgramView::appendSlice() {
    if (!isFilling()) {
        return;
    }
    if (!editor_->indexMore(SliceBytes)) {
        nextSlice_.stop();
        emit filled();
    }
}

void ProgramView::appendSlices() {
    QElapsedTimer timer;
    timer.start();
    do {
        appendSlice();
    } while (isFilling() && timer.elapsed() < SliceBudgetMs);
    startSlices();
}

} // namespace drovane
