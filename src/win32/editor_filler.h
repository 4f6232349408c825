#pragma once

// Shows a program in the editor without freezing the window: the first lines
// appear at once and the rest is indexed in short slices from a timer,
// between the window's other messages.

#include "win32/program_text_view.h"

#include <string_view>
#include <windows.h>

namespace drovane {

class EditorFiller {
public:
    // The timer runs on `timerOwner`, which hands its WM_TIMER with
    // `timerId` to onTimer().
    EditorFiller(ProgramTextView& editor, HWND timerOwner, UINT_PTR timerId);
    EditorFiller(const EditorFiller&) = delete;
    EditorFiller& operator=(const EditorFiller&) = delete;
    EditorFiller(EditorFiller&&) = delete;
    EditorFiller& operator=(EditorFiller&&) = delete;
    ~EditorFiller();

    // Windows-1252 bytes after what is shown or still to come.
    void append(std::string_view bytes);
    // Replaces what is shown, sharing these bytes instead of copying them.
    void show(SharedText text);
    void clear();
    void onTimer();
    bool isFilling() const { return !editor_.lines().fullyIndexed(); }
    // Runs the remaining slices now (tests, benchmarks).
    void finish();

private:
    void appendSlice();
    void appendSlices();
    void scheduleRest();
    void stopTimer();

    ProgramTextView& editor_;
    HWND timerOwner_;
    UINT_PTR timerId_;
    bool timerRuns_ = false;
};

} // namespace drovane
