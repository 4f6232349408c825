#pragma once

// The window logic on a fake window and a file list over a fresh folder, with
// scripted dialogs and a settings file in that folder.

#include "fake_file_browsing.h"
#include "fake_window_view.h"
#include "scripted_dialogs.h"
#include "window/app_state.h"
#include "window/command_dispatch.h"
#include "window/program_commands.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace drovane::testing {

class WindowLogicTest : public ::testing::Test {
protected:
    WindowLogicTest();
    ~WindowLogicTest() override;
    WindowLogicTest(const WindowLogicTest&) = delete;
    WindowLogicTest& operator=(const WindowLogicTest&) = delete;
    WindowLogicTest(WindowLogicTest&&) = delete;
    WindowLogicTest& operator=(WindowLogicTest&&) = delete;

    // A path in the test's folder as the window shows it; "" is the folder
    // itself with its separator.
    std::string folder(std::string_view relative = {}) const;
    void put(std::string_view relative, std::string_view bytes) const;
    std::string contentOf(std::string_view relative) const;
    bool exists(std::string_view relative) const;
    void makeFolder(std::string_view relative) const;

    void press(std::string_view control) { dispatch_.dispatch(control, Trigger::Click); }
    void fire(std::string_view control, Trigger trigger) { dispatch_.dispatch(control, trigger); }
    // A job that runs until endHeldJob(), deaf to the abort request.
    void holdJob();
    void endHeldJob();

    std::filesystem::path root_;
    AppState state_;
    FakeWindowView view_;
    FakeFileBrowsing files_;
    ScriptedDialogs dialogs_;
    std::vector<Mode> transfersStarted_;
    int helpShown_ = 0;
    std::vector<std::size_t> sendsFrom_;
    std::atomic<bool> jobReleased_{false};
    ProgramCommands programs_{state_, view_, files_, dialogs_};
    CommandDispatch dispatch_;
};

} // namespace drovane::testing
