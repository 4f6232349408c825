#include "window_fixture.h"

#include <commctrl.h>

#include <algorithm>

namespace drovane {

void WindowTest::open(bool boldFont) {
    view.reset();
    window.reset();
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                      ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    window = Win32MainWindow::create(GetModuleHandleW(nullptr), boldFont,
                                     [this](std::string_view control, Trigger trigger) {
                                         events.emplace_back(std::string(control), trigger);
                                     });
    ASSERT_NE(window, nullptr);
    view = std::make_unique<Win32WindowView>(*window);
    ShowWindow(window->handle(), SW_SHOWNOACTIVATE);
    pumpUntil([] { return true; });
}

bool WindowTest::pumpUntil(const std::function<bool()>& done, std::chrono::seconds limit) const {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        MSG message{};
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

} // namespace drovane
