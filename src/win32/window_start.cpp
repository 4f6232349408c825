#include "win32/window_start.h"

#include "core/current_line.h"
#include "core/executable_directory.h"
#include "core/text.h"
#include "win32/run_main_window.h"
#include "win32/win32_session.h"
#include "window/app_state.h"
#include "window/settings_access.h"
#include "window/shown_text.h"
#include "window/start_order.h"

#include <memory>

namespace drovane {
namespace {

StartSteps startSteps(AppState& state, std::unique_ptr<Win32Session>& session,
                      const std::function<std::unique_ptr<Win32Session>()>& makeSession) {
    StartSteps steps;
    steps.prepare = [&state] {
        state.abortRequest.clear();
        markStep();
    };
    steps.startParameter = [&state] {
        return state.startParameter;
    };
    // The process level has asked the named mutex before any window.
    steps.handedOverToRunningInstance = [](const std::string& /*parameter*/) {
        return false;
    };
    steps.showWindow = [&session, &makeSession] {
        session = makeSession();
    };
    steps.openStartFile = [&session](const std::string& path) {
        session->openStartFile(path);
    };
    steps.restoreSavedState = [&session](bool hasStartFile) {
        session->restoreSavedState(hasStartFile);
    };
    steps.finishWindow = [] {
    }; // the window filters its buttons itself
    steps.receiveHandOvers = [&session] {
        session->receiveHandOvers();
    };
    return steps;
}

} // namespace

bool runWindow(HINSTANCE instance, int showCommand, const std::string& startParameter) {
    AppState state; // version, transfer lock
    state.startParameter = utf8FromWindows1252(startParameter);
    state.settingsPath = shownFromPath(executableDirectory() / "drovane.ini");
    // The window reports from its making on; the logic hears it once built.
    Win32Session* listener = nullptr;
    const auto sink = [&listener](std::string_view control, Trigger trigger) {
        if (listener != nullptr) {
            listener->report(control, trigger);
        }
    };
    const auto ready = [&](Win32MainWindow& window, Win32WindowView& view,
                           Win32Dialogs& dialogs) -> std::unique_ptr<WindowContents> {
        std::unique_ptr<Win32Session> session;
        const std::function<std::unique_ptr<Win32Session>()> make = [&] {
            return std::make_unique<Win32Session>(state, window, view, dialogs,
                                                  [&dialogs] { dialogs.showHelp(); });
        };
        runStartOrder(startSteps(state, session, make));
        listener = session.get();
        return session;
    };
    const int result =
        runMainWindow(instance, showCommand, boldFontChosen(state.settingsPath), sink, ready);
    listener = nullptr;
    return result != WindowNotOpened;
}

} // namespace drovane
