#include "win32/editor_filler.h"

#include <chrono>
#include <utility>

namespace drovane {
namespace {

// A turn indexes for about this long and then lets the window answer.
constexpr std::size_t SliceBytes = std::size_t{256} * 1024;
constexpr auto SliceBudget = std::chrono::milliseconds(16);

} // namespace

EditorFiller::EditorFiller(ProgramTextView& editor, HWND timerOwner, UINT_PTR timerId)
    : editor_(editor), timerOwner_(timerOwner), timerId_(timerId) {}

EditorFiller::~EditorFiller() {
    stopTimer();
}

void EditorFiller::append(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    const bool wasIdle = !isFilling();
    editor_.appendBytes(bytes);
    if (wasIdle) {
        // One slice shows the first screen; the timer brings the rest.
        appendSlice();
        scheduleRest();
    }
}

void EditorFiller::show(SharedText text) {
    stopTimer();
    editor_.showBytes(std::move(text));
    appendSlice();
    scheduleRest();
}

void EditorFiller::clear() {
    stopTimer();
    editor_.clear();
}

void EditorFiller::onTimer() {
    appendSlices();
}

void EditorFiller::finish() {
    while (isFilling()) {
        appendSlices();
    }
}

void EditorFiller::appendSlice() {
    editor_.indexMore(SliceBytes);
}

void EditorFiller::appendSlices() {
    const auto start = std::chrono::steady_clock::now();
    editor_.indexSlices(SliceBytes,
                        [start] { return std::chrono::steady_clock::now() - start < SliceBudget; });
    scheduleRest();
}

void EditorFiller::scheduleRest() {
    if (isFilling() && !timerRuns_) {
        timerRuns_ = SetTimer(timerOwner_, timerId_, USER_TIMER_MINIMUM, nullptr) != 0;
    } else if (!isFilling()) {
        stopTimer();
    }
}

void EditorFiller::stopTimer() {
    if (timerRuns_) {
        KillTimer(timerOwner_, timerId_);
        timerRuns_ = false;
    }
}

} // namespace drovane
