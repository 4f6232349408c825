// How long the Windows window takes to build and paint, and to show a large
// program in its editor, and how long the window went without answering
// while it did (the longest single message); then how long a jump to the
// last line takes to paint, and the memory the program and its view added,
// per byte. A plain timing program; it needs a display (under Wine an X server such as Xvfb).
//
//   editor_fill_bench [MEGABYTES]

#include "win32/win32_main_window.h"
#include "win32/win32_window_view.h"
#include "window/shared_text.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;

double workingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize);
}

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::string programLines(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 32);
    for (int number = 10; text.size() < bytes; number += 10) {
        text += "N" + std::to_string(number) + " G01 X12.5 Y-3.25 Z-1 F200\r\n";
    }
    return text;
}

int run(std::size_t megabytes) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                      ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const auto startUp = Clock::now();
    const auto window = Win32MainWindow::create(GetModuleHandleW(nullptr), false, {});
    if (!window) {
        std::puts("no window");
        return 1;
    }
    ShowWindow(window->handle(), SW_SHOW);
    UpdateWindow(window->handle());
    const auto painted = Clock::now();
    Win32WindowView view(*window);

    TabCtrl_SetCurSel(window->control("MainPanel"), 2);
    NMHDR changed{window->control("MainPanel"), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window->handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&changed));
    const double memoryBefore = workingSetBytes();
    // Shared with the editor, as a loaded program is.
    SharedText program(programLines(megabytes * 1024 * 1024));
    const auto start = Clock::now();
    view.showEditor(program);
    const Clock::duration firstCall = Clock::now() - start;
    Clock::duration longest{};
    UINT longestMessage = 0;
    MSG message{};
    while (window->programEditor().isFilling()) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        const auto before = Clock::now();
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (Clock::now() - before > longest) {
            longest = Clock::now() - before;
            longestMessage = message.message;
        }
    }
    const auto filled = Clock::now();
    const std::size_t programBytes = program.size();
    const double added = workingSetBytes() - memoryBefore;
    HWND editor = window->control("ProgramEditor");
    const auto scrollStart = Clock::now();
    SendMessageW(editor, WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(editor);
    const Clock::duration lastLine = Clock::now() - scrollStart;
    std::printf("window built and painted: %.1f ms\n", milliseconds(painted - startUp));
    std::printf("%zu MB program shown: %.0f ms; the call itself %.1f ms, then the longest "
                "message %.1f ms (0x%04x)\n",
                megabytes, milliseconds(filled - start), milliseconds(firstCall),
                milliseconds(longest), longestMessage);
    std::printf("last line painted: %.1f ms; memory added with the program itself: %.2f bytes "
                "per program byte\n",
                milliseconds(lastLine), added / static_cast<double>(programBytes));
    return 0;
}

} // namespace
} // namespace drovane

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20;
    return drovane::run(megabytes);
}
