#pragma once

// Builds the window as the start-up does, with scripted dialogs and a
// settings file in a temporary folder.

#include "../window/scripted_dialogs.h"
#include "qt/qt_text.h"
#include "qt/window_session.h"
#include "window/app_state.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace drovane::testing {

QApplication& application();

std::string readBytes(const QString& path);
void writeBytes(const QString& path, std::string_view bytes);

class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;
    WindowTest(const WindowTest&) = delete;
    WindowTest& operator=(const WindowTest&) = delete;
    WindowTest(WindowTest&&) = delete;
    WindowTest& operator=(WindowTest&&) = delete;

    // A new window, as after a restart with the current settings file.
    void rebuild(bool boldFont = false);
    QString folder(const QString& relative = {}) const;
    void writeSettings(std::string_view bytes) const;
    MainWindow& window() { return session_->window(); }
    ProgramCommands& programs() { return session_->programs(); }
    CommandDispatch& dispatch() { return session_->dispatch(); }
    // Points the list at the folder, selects the named entry and returns its index.
    int selectInList(const QString& directory, const QString& name);
    // A job that runs until endHeldJob(), deaf to the abort request.
    void holdJob();
    void endHeldJob();

    QTemporaryDir temp_;
    AppState state_;
    ScriptedDialogs dialogs_;
    std::vector<Mode> transfersStarted_;
    // Called by the start hook after it has noted the mode.
    std::function<void(Mode)> onStart_;
    std::atomic<bool> jobReleased_{false};
    int helpShown_ = 0;
    std::unique_ptr<WindowSession> session_;
};

} // namespace drovane::testing
