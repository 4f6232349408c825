#include "shell/hand_over_inbox.h"

#include "core/current_line.h"
#include "shell/window_session.h"
#include "window/app_state.h"

#include <QApplication>
#include <utility>

namespace drovane {

HandOverInbox::HandOverInbox(WindowSession& session, std::function<bool()> jobRuns, QObject* parent)
    : QObject(parent), session_(session), jobRuns_(std::move(jobRuns)) {
    retry_.setSingleShot(true);
    retry_.setInterval(50);
    connect(&retry_, &QTimer::timeout, this, &HandOverInbox::jobEnded);
}

void HandOverInbox::receive(const QString& path) {
    markStep();
    if (path.isEmpty()) {
        return;
    }
    if (mustWait()) {
        waiting_ = path; // only the newest counts
        retry_.start();  // a dialog tells nobody when it closes
        emit held(path);
        return;
    }
    apply(path);
}

void HandOverInbox::jobEnded() {
    if (!waiting_) {
        return;
    }
    if (mustWait()) {
        retry_.start();
        return;
    }
    const QString path = *std::exchange(waiting_, std::nullopt);
    apply(path);
}

// A dialog's own event loop delivers the hand-over while the command that
// asked it has not ended yet.
bool HandOverInbox::mustWait() const {
    return jobRuns_() || QApplication::activeModalWidget() != nullptr;
}

void HandOverInbox::apply(const QString& path) {
    markStep();
    if (session_.state().mode == Mode::Receive) {
        session_.switchMode(Mode::Send);
    }
    session_.programs().openProgramByPath(path.toStdString());
    emit applied(path);
}

} // namespace drovane
