#pragma once

// Receives the files that later starts of the program hand over, on the GUI
// thread's event loop.

#include "qt/hand_over_listener.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

namespace drovane {

class HandOverReceiver : public QObject {
    Q_OBJECT
public:
    // Listens in the instance folder; create it only in the first instance.
    explicit HandOverReceiver(const std::filesystem::path& directory, QObject* parent = nullptr);
    ~HandOverReceiver() override;

    bool listening() const { return listener_.listening(); }

signals:
    // A non-empty text arrived; an empty hand-over changes nothing.
    void handedOver(const QString& path);

private:
    class Connection;

    void acceptWaiting();
    void deliver(const std::string& text);
    void scheduleCleanup();

    HandOverListener listener_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::unique_ptr<Connection>> connections_;
    QTimer cleanupTimer_;
};

} // namespace drovane
