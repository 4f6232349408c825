#pragma once

// The hand-over inbox on the Win32 message loop: a held file is tried again
// shortly, since a dialog tells nobody when it closes.

#include "win32/gui_timer.h"
#include "window/hand_over_inbox.h"

#include <windows.h>

#include <functional>
#include <string_view>

namespace drovane {

class Win32HandOverInbox {
public:
    // A modal dialog of `window` disables it; `applied` runs after a file
    // has been opened.
    Win32HandOverInbox(AppState& state, WindowView& view, ProgramCommands& programs, HWND window,
                       std::function<void()> applied);

    // A path (UTF-8) handed over by a later start.
    void receive(std::string_view path);
    // GUI thread, also when a job has ended.
    void retry();

    static constexpr std::chrono::milliseconds RetryDelay{50};

private:
    void follow(HandOverInbox::Outcome outcome);

    HandOverInbox inbox_;
    GuiTimer retry_;
    std::function<void()> applied_;
};

} // namespace drovane
