#include "qt/qt_job_console.h"

#include <QMetaObject>
#include <algorithm>

namespace drovane {

QtJobConsole::QtJobConsole(MainWindow& window, WindowView& view, AppState& state)
    : QueuedJobConsole(view, state), window_(window) {
    drainTimer_.setSingleShot(true);
    connect(&drainTimer_, &QTimer::timeout, this, &QtJobConsole::drainNow);
    setWakeUp([this] {
        // By name: the functor form hands Qt an allocation that the
        // analyser takes for a leak.
        QMetaObject::invokeMethod(this, "scheduleDrain", Qt::QueuedConnection);
    });
}

void QtJobConsole::scheduleDrain() {
    if (drainTimer_.isActive()) {
        return;
    }
    const qint64 since = sinceDrain_.isValid() ? sinceDrain_.elapsed() : MinimumGapMs;
    drainTimer_.start(static_cast<int>(std::max<qint64>(0, MinimumGapMs - since)));
}

void QtJobConsole::drainNow() {
    switch (drain()) {
    case Drain::Busy:
        drainTimer_.start(MinimumGapMs);
        break;
    case Drain::Applied:
        sinceDrain_.restart();
        break;
    case Drain::Nothing:
        break;
    }
}

bool QtJobConsole::idle() {
    return empty() && !window_.programView().isFilling();
}

} // namespace drovane
