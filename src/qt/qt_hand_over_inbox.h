#pragma once

// The hand-over inbox on the Qt event loop: a held file is tried again
// shortly, since a dialog tells nobody when it closes.

#include "qt/window_session.h"
#include "window/hand_over_inbox.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace drovane {

class QtHandOverInbox : public QObject {
    Q_OBJECT
public:
    explicit QtHandOverInbox(WindowSession& session, QObject* parent = nullptr);

    // A path handed over by a later start.
    void receive(const QString& path);
    // Call on the GUI thread when a job has ended.
    void jobEnded();

    const std::optional<std::string>& waiting() const { return inbox_.waiting(); }

signals:
    void applied(const QString& path);
    void held(const QString& path);

private:
    HandOverInbox inbox_;
    QTimer retry_;
};

} // namespace drovane
