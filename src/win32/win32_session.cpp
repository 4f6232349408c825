#include "win32/win32_session.h"

#include "core/text.h"
#include "win32/hand_over_message.h"
#include "win32/program_text_view.h"
#include "window/app_state.h"
#include "window/live_controls_mirror.h"
#include "window/shown_text.h"

#include <chrono>
#include <filesystem>
#include <utility>

namespace drovane {
namespace {

// Bursts of changes on disk (a copy of many files) cost one re-read.
constexpr std::chrono::milliseconds diskChangeDelay{100};

} // namespace

Win32Session::Win32Session(AppState& state, Win32MainWindow& window, WindowView& view,
                           Dialogs& dialogs, std::function<void()> showHelp)
    : window_(window), view_(view), presenter_(browser_, view),
      programs_(state, view, browser_, dialogs),
      dispatch_(state, view, browser_, dialogs, programs_, CommandDispatch::Hooks{}),
      console_(window, view, state, [this] { refreshLiveControls(); }),
      runner_(state, view, programs_, console_),
      inbox_(state, view, programs_, window.handle(), [this] { refreshLiveControls(); }),
      diskChangeDelay_(window.handle(), [this] { rereadChangedDirectory(); }),
      directoryWatch_(
          [this] { window_.post([this] { diskChangeDelay_.start(diskChangeDelay); }); }) {
    dispatch_.setStartTransfer([this](Mode mode) { runner_.start(mode); });
    dispatch_.setSendFromLine([this](std::size_t line) { runner_.startSendFrom(line); });
    dispatch_.setHelp(std::move(showHelp));
    runner_.setJobEnded([this] { inbox_.retry(); });
    presenter_.setListingShown([this] { watchShownDirectory(); });
    watchShownDirectory();
}

void Win32Session::report(std::string_view control, Trigger trigger) {
    // The list's own events become the commands' triggers only through the
    // presenter, which knows whether the selection really moved.
    std::optional<Trigger> heard = trigger;
    if (trigger == Trigger::ListChanged) {
        heard = presenter_.rowSelected(view_.selectedFileRow());
    } else if (trigger == Trigger::ListOpened) {
        heard = presenter_.rowOpened(view_.selectedFileRow());
    }
    if (heard) {
        dispatch(control, *heard);
    }
    refreshLiveControls();
}

void Win32Session::dispatch(std::string_view control, Trigger trigger) {
    dispatch_.dispatch(control, trigger);
}

void Win32Session::openStartFile(const std::string& path) {
    programs_.openProgramByPath(shownFromPath(std::filesystem::absolute(pathFromShown(path))));
    refreshLiveControls();
}

void Win32Session::restoreSavedState(bool hasStartFile) {
    dispatch_.profiles().initSettingsControls(hasStartFile);
    refreshLiveControls();
}

void Win32Session::receiveHandOvers() {
    window_.setMessageHook([this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && HIWORD(wParam) == SendFromLineCommand) {
            dispatch_.sendFromLine(static_cast<std::size_t>(lParam));
            refreshLiveControls();
            return std::optional<LRESULT>(0);
        }
        if (auto text = handOverFromMessage(message, lParam)) {
            // Applied later: the second start waits for this message and
            // should end at once.
            window_.post([this, path = utf8FromWindows1252(*text)] { inbox_.receive(path); });
            return std::optional<LRESULT>(TRUE);
        }
        return std::optional<LRESULT>();
    });
}

void Win32Session::watchShownDirectory() {
    const std::string directory = browser_.currentDirectory();
    directoryWatch_.watch(directory.empty() ? std::filesystem::path() : pathFromShown(directory));
}

void Win32Session::rereadChangedDirectory() {
    if (const auto trigger = presenter_.directoryChangedOnDisk()) {
        dispatch("FileList", *trigger);
    }
    refreshLiveControls();
}

void Win32Session::refreshLiveControls() {
    for (const std::string_view control : LiveControlsMirror::controls()) {
        runner_.controlChanged(control);
    }
}

} // namespace drovane
