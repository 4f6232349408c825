// The start-up with a stand-in for the main window: a top-level window
// titled "Drovane" that writes every WM_COPYDATA it gets to standard output,
// raw and as the first instance takes it. A console program, so that the
// Linux side of the test reads what it writes.
//
// Lines: "parameter HEX", "ready", "copydata TAG HEX", "handover HEX",
// "ended MS". With DROVANE_PROBE_WINDOW=fail the window cannot be opened;
// with DROVANE_PROBE_WINDOW=untitled it is not yet titled "Drovane", as while
// the first instance still starts.

#include "core/current_line.h"
#include "win32/hand_over_message.h"
#include "win32/hand_over_send.h"
#include "win32/instance_mutex.h"
#include "win32/program_start.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
#include <windows.h>

namespace {

std::string hex(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
        text += digits;
    }
    return text.empty() ? "-" : text;
}

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

LRESULT CALLBACK probeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        say("copydata " + std::to_string(data.dwData) + " " +
            hex(std::string_view(static_cast<const char*>(data.lpData), data.cbData)));
    }
    if (const auto text = drovane::handOverFromMessage(message, lParam)) {
        say("handover " + hex(*text));
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool runProbeWindow(const std::string& startParameter) {
    say("parameter " + hex(startParameter));
    const char* modeText = std::getenv("DROVANE_PROBE_WINDOW");
    const std::string_view mode = modeText != nullptr ? modeText : "";
    if (mode == "fail") {
        drovane::CurrentLine.store(123);
        return false;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &probeWindow;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = drovane::MainWindowClass; // the hand-over looks for it
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(
        0, windowClass.lpszClassName,
        mode == "untitled" ? L"Drovane startet" : drovane::InstanceName.data(), WS_OVERLAPPEDWINDOW,
        10, 10, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return false;
    }
    ::ShowWindow(window, SW_SHOW);
    say("ready");
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return true;
}

} // namespace

int main() {
    // Lines end in "\n" alone, as the Linux side reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    const auto start = std::chrono::steady_clock::now();
    const int code = drovane::runProgram(::GetCommandLineW(), &runProbeWindow);
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    say("ended " + std::to_string(spent.count()));
    return code;
}
