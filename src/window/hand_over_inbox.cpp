#include "window/hand_over_inbox.h"

#include "core/current_line.h"
#include "window/mode_switch.h"

#include <utility>

namespace drovane {

HandOverInbox::HandOverInbox(AppState& state, WindowView& view, ProgramCommands& programs,
                             std::function<bool()> dialogOpen)
    : state_(state), view_(view), programs_(programs), dialogOpen_(std::move(dialogOpen)) {}

HandOverInbox::Outcome HandOverInbox::receive(std::string_view path) {
    markStep();
    if (path.empty()) {
        return Outcome::Nothing;
    }
    if (mustWait()) {
        waiting_ = std::string(path); // only the newest counts
        return Outcome::Held;
    }
    apply(std::string(path), LogStart::Fresh);
    return Outcome::Applied;
}

HandOverInbox::Outcome HandOverInbox::retry() {
    if (!waiting_) {
        return Outcome::Nothing;
    }
    if (mustWait()) {
        return Outcome::Held;
    }
    const std::string path = *std::exchange(waiting_, std::nullopt);
    apply(path, LogStart::KeepLines);
    return Outcome::Applied;
}

// A dialog's own event loop delivers the hand-over while the command that
// asked it has not ended yet.
bool HandOverInbox::mustWait() const {
    return state_.jobRuns() || (dialogOpen_ && dialogOpen_());
}

void HandOverInbox::apply(const std::string& path, LogStart log) {
    markStep();
    if (state_.mode == Mode::Receive) {
        switchMode(state_, view_, Mode::Send);
    }
    programs_.openProgramByPath(path, log);
}

} // namespace drovane
