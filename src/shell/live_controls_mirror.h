#pragma once

// Keeps a LiveControls copy of the controls a running job reads again,
// updated on every change of their texts, whoever made it.

class QObject;

namespace drovane {

class LiveControls;
class MainWindow;

// Copies the current texts and follows each later edit while `owner`, which
// must not outlive `live`, lives.
void mirrorLiveControls(MainWindow& window, LiveControls& live, const QObject& owner);

} // namespace drovane
