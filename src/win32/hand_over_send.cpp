#include "win32/hand_over_send.h"

#include "win32/instance_mutex.h"

#include <algorithm>
#include <array>
#include <string>

namespace drovane {
namespace {

// A first instance that is hung must not keep the second start alive.
constexpr UINT answerLimitMs = 5000;
constexpr int titleRoom = 1024;

struct Search {
    HWND ownWindow;
    HWND found;
};

BOOL CALLBACK considerWindow(HWND window, LPARAM searchAddress) {
    auto& search = *reinterpret_cast<Search*>(searchAddress);
    std::array<wchar_t, titleRoom> title{};
    const int length = ::GetWindowTextW(window, title.data(), titleRoom);
    std::array<wchar_t, titleRoom> className{};
    const int classLength = ::GetClassNameW(window, className.data(), titleRoom);
    const bool mainWindow =
        std::wstring_view(className.data(), static_cast<std::size_t>(std::max(classLength, 0))) ==
        MainWindowClass;
    if (window != search.ownWindow && mainWindow &&
        isInstanceTitle(std::wstring_view(title.data(), static_cast<std::size_t>(length)))) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool isInstanceTitle(std::wstring_view title) {
    const auto end = title.find_last_not_of(L' ');
    return title.substr(0, end == std::wstring_view::npos ? 0 : end + 1) == InstanceName;
}

HandOverResult sendHandOver(std::string_view parameter, HWND ownWindow) {
    Search search{ownWindow, nullptr};
    ::EnumWindows(&considerWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return HandOverResult::NoWindow;
    }
    std::string data(parameter);
    data.push_back('\0');
    COPYDATASTRUCT message{};
    message.dwData = 0;
    message.cbData = static_cast<DWORD>(data.size());
    message.lpData = data.data();
    DWORD_PTR answer = 0;
    const LRESULT delivered =
        ::SendMessageTimeoutW(search.found, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message),
                              SMTO_ABORTIFHUNG, answerLimitMs, &answer);
    return delivered != 0 ? HandOverResult::Sent : HandOverResult::NotAnswered;
}

} // namespace drovane
