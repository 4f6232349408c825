#include "win32/win32_hand_over_inbox.h"

#include <utility>

namespace drovane {

Win32HandOverInbox::Win32HandOverInbox(AppState& state, WindowView& view, ProgramCommands& programs,
                                       HWND window, std::function<void()> applied)
    : inbox_(state, view, programs, [window] { return IsWindowEnabled(window) == FALSE; }),
      retry_(window, [this] { retry(); }), applied_(std::move(applied)) {}

void Win32HandOverInbox::receive(std::string_view path) {
    follow(inbox_.receive(path));
}

void Win32HandOverInbox::retry() {
    follow(inbox_.retry());
}

void Win32HandOverInbox::follow(HandOverInbox::Outcome outcome) {
    switch (outcome) {
    case HandOverInbox::Outcome::Held:
        retry_.start(RetryDelay);
        break;
    case HandOverInbox::Outcome::Applied:
        if (applied_) {
            applied_();
        }
        break;
    case HandOverInbox::Outcome::Nothing:
        break;
    }
}

} // namespace drovane
