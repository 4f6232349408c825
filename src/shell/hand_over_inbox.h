#pragma once

// Applies the files that later starts hand over: the window switches to send
// mode and opens the file. A file that arrives while a transfer job runs
// would replace the program under the job, so the newest such file waits
// until the job has ended.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace drovane {

class WindowSession;

class HandOverInbox : public QObject {
    Q_OBJECT
public:
    // `jobRuns` tells whether a transfer job runs right now.
    HandOverInbox(WindowSession& session, std::function<bool()> jobRuns, QObject* parent = nullptr);

    // A non-empty path handed over by a later start.
    void receive(const QString& path);
    // Call on the GUI thread when the job has ended: applies the file that
    // waited for it. While `jobRuns` still answers true (the job's thread is
    // just finishing, or a new job started) it asks again shortly.
    void jobEnded();

    const std::optional<QString>& waiting() const { return waiting_; }

signals:
    void applied(const QString& path);
    void held(const QString& path);

private:
    void apply(const QString& path);

    WindowSession& session_;
    std::function<bool()> jobRuns_;
    std::optional<QString> waiting_;
    QTimer retry_;
};

} // namespace drovane
