// The Windows side of the window tests: run in the same Wine prefix as the
// program under test, it finds a top-level window by its title and tells
// what a user sees in it, and presses its buttons.
//
//   read TITLE [CAPTION]  waits up to 60 s for the window; writes "client WxH",
//                         then "text T" for each static text and "button B"
//                         for each button, "field F" for each one-line edit
//                         field, '&' markers dropped; with CAPTION
//                         then presses that button ("pressed").
//   close TITLE           asks the window to close, as its close box does.
//   ask TITLE TEXT        shows a yes/no box; writes "answer yes" or "answer no".
//
// Lines are UTF-8. Exit code 0, or 1 when the window or button was not found.

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

std::string utf8(const std::wstring& wide) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                          nullptr, nullptr);
    return text;
}

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// Through WM_GETTEXT, which the system carries between processes.
std::wstring textOf(HWND window) {
    std::wstring text(1024, L'\0');
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &length);
    text.resize(length);
    return text;
}

std::wstring withoutMarkers(std::wstring caption) {
    std::erase(caption, L'&');
    return caption;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND waitForWindow(const wchar_t* title) {
    for (int tries = 0; tries < 600; ++tries) {
        const HWND window = ::FindWindowW(nullptr, title);
        if (window != nullptr && ::IsWindowVisible(window)) {
            return window;
        }
        ::Sleep(100);
    }
    return nullptr;
}

int read(const wchar_t* title, const wchar_t* press) {
    const HWND window = waitForWindow(title);
    if (window == nullptr) {
        say("no window");
        return 1;
    }
    RECT client{};
    ::GetClientRect(window, &client);
    say("client " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    HWND pressed = nullptr;
    for (const HWND child : childrenOf(window)) {
        const std::wstring kind = classOf(child);
        const std::wstring text = withoutMarkers(textOf(child));
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            say("button " + utf8(text));
            if (press != nullptr && text == press) {
                pressed = child;
            }
        } else if (_wcsicmp(kind.c_str(), L"Static") == 0 && !text.empty()) {
            say("text " + utf8(text));
        } else if (_wcsicmp(kind.c_str(), L"Edit") == 0 &&
                   (::GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE) == 0) {
            say("field " + utf8(text));
        }
    }
    if (press == nullptr) {
        return 0;
    }
    if (pressed == nullptr) {
        say("no button");
        return 1;
    }
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(pressed), BN_CLICKED),
                   reinterpret_cast<LPARAM>(pressed));
    say("pressed");
    return 0;
}

int close(const wchar_t* title) {
    const HWND window = waitForWindow(title);
    if (window == nullptr) {
        say("no window");
        return 1;
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    say("closed");
    return 0;
}

int ask(const wchar_t* title, const wchar_t* text) {
    const int answer = ::MessageBoxW(nullptr, text, title, MB_YESNO | MB_ICONQUESTION);
    say(answer == IDYES ? "answer yes" : answer == IDNO ? "answer no" : "answer none");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    // Lines end in "\n" alone, as the Linux side reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"read" && (argc == 3 || argc == 4)) {
        return read(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (command == L"close" && argc == 3) {
        return close(argv[2]);
    }
    if (command == L"ask" && argc == 4) {
        return ask(argv[2], argv[3]);
    }
    std::fputs("usage: read TITLE [CAPTION] | close TITLE | ask TITLE TEXT\n", stderr);
    return 2;
}
