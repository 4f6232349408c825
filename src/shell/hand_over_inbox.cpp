#include "shell/hand_over_inbox.h"

#include "core/current_line.h"
#include "shell/window_session.h"

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
    if (jobRuns_()) {
        waiting_ = path; // only the newest counts
        emit held(path);
        return;
    }
    apply(path);
}

void HandOverInbox::jobEnded() {
    if (!waiting_) {
        return;
    }
    if (jobRuns_()) {
        retry_.start();
        return;
    }
    const QString path = *std::exchange(waiting_, std::nullopt);
    apply(path);
}

void HandOverInbox::apply(const QString& path) {
    markStep();
    MainWindow& window = session_.window();
    if (window.mode() == Mode::Receive) {
        window.switchMode(Mode::Send);
    }
    session_.programs().openProgramByPath(path, true);
    emit applied(path);
}

} // namespace drovane
