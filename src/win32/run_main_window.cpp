#include "win32/run_main_window.h"

#include "win32/win32_dialogs.h"
#include "win32/win32_window_view.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace drovane {
namespace {

// The folder chooser's new style needs COM on this thread.
class ComApartment {
public:
    ComApartment()
        : ready_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ComApartment(ComApartment&&) = delete;
    ComApartment& operator=(ComApartment&&) = delete;
    ~ComApartment() {
        if (ready_) {
            CoUninitialize();
        }
    }

private:
    bool ready_;
};

bool initCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                     ICC_PROGRESS_CLASS | ICC_BAR_CLASSES;
    return InitCommonControlsEx(&controls) != FALSE;
}

int runMessageLoop(const Win32MainWindow& window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.takeDialogKey(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int runMainWindow(HINSTANCE instance, int showCommand, bool boldFont, ControlEventSink sink,
                  const WindowReady& ready) {
    const ComApartment com;
    if (!initCommonControls()) {
        return WindowNotOpened;
    }
    const auto window = Win32MainWindow::create(instance, boldFont, std::move(sink));
    if (!window) {
        return WindowNotOpened;
    }
    Win32WindowView view(*window);
    Win32Dialogs dialogs(window->handle());
    std::unique_ptr<WindowContents> contents;
    if (ready) {
        contents = ready(*window, view, dialogs);
    }
    ShowWindow(window->handle(), showCommand);
    UpdateWindow(window->handle());
    const int exitCode = runMessageLoop(*window);
    contents.reset();
    return exitCode;
}

} // namespace drovane
