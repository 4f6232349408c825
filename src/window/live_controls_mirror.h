#pragma once

// Keeps a LiveControls copy of the controls a running job reads again. The
// front end reports every change of their texts, whoever made it; GUI thread.

#include "transfer/live_controls.h"
#include "window/window_view.h"

#include <span>
#include <string_view>

namespace drovane {

class LiveControlsMirror {
public:
    explicit LiveControlsMirror(LiveControls& live) : live_(live) {}

    // The controls whose every change a front end must report.
    static std::span<const std::string_view> controls();

    void copyAll(const WindowView& view);
    // Copies the control's current state; other controls are ignored.
    void changed(std::string_view control, const WindowView& view);

private:
    LiveControls& live_;
};

} // namespace drovane
