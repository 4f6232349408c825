#include "win32/editor_filler.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <utility>

namespace drovane {
namespace {

// A turn indexes for about this long and then lets the window answer.
constexpr std::size_t SliceBytes = std::size_t{1024} * 1024;
constexpr auto SliceBudget = std::chrono::milliseconds(16);

} // namespace

EditorFiller::EditorFiller(ProgramTextView& editor, HWND timerOwner, UINT_PTR timerId)
    : editor_(editor), timerOwner_(timerOwner), timerId_(timerId) {}

EditorFiller::~EditorFiller() {
    stopTimer();
}

void EditorFiller::append(std::string bytes) {
    if (bytes.empty()) {
        return;
    }
    const bool wasIdle = !isFilling();
    pending_.push_back(std::move(bytes));
    if (wasIdle) {
        appendSlices();
    }
}

void EditorFiller::clear() {
    stopTimer();
    pending_.clear();
    frontShown_ = 0;
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

void EditorFiller::appendSlices() {
    const auto start = std::chrono::steady_clock::now();
    do {
        const std::string& front = pending_.front();
        const std::size_t length = std::min(SliceBytes, front.size() - frontShown_);
        editor_.append(std::string_view(front).substr(frontShown_, length));
        frontShown_ += length;
        if (frontShown_ == front.size()) {
            pending_.pop_front();
            frontShown_ = 0;
        }
    } while (isFilling() && std::chrono::steady_clock::now() - start < SliceBudget);
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
