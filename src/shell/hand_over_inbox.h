#pragma once

// Applies the files that later starts hand over: the window switches to send
// mode and opens the file. A file that arrives while a transfer job runs
// would replace the program under the job, and one that arrives while a
// modal dialog is open the program the dialog is about; so the newest such
// file waits until the job has ended and no dialog is open.

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
    // waited for it. While it still has to wait (the job's thread is just
    // finishing, a new job started, a dialog is open) it asks again shortly.
    void jobEnded();

    const std::optional<QString>& waiting() const { return waiting_; }

signals:
    void applied(const QString& path);
    void held(const QString& path);

private:
    bool mustWait() const;
    void apply(const QString& path);

    WindowSession& session_;
    std::function<bool()> jobRuns_;
    std::optional<QString> waiting_;
    QTimer retry_;
};

} // namespace drovane
