#include "window/mode_switch.h"

namespace drovane {

void switchMode(AppState& state, WindowView& view, Mode mode) {
    state.mode = mode;
    view.showMode(mode);
    view.setText("FileButton", mode == Mode::Receive ? SaveCaption : LoadCaption);
    view.setText("FileNameField", "");
}

} // namespace drovane
