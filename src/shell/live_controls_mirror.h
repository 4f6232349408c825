#pragma once

// Keeps a LiveControls copy of the controls a running job reads again,
// updated on every change of their texts, whoever made it.

namespace drovane {

class LiveControls;
class MainWindow;

// Copies the current texts and follows each later edit while the window lives.
void mirrorLiveControls(MainWindow& window, LiveControls& live);

} // namespace drovane
