#include "win32/status_bar.h"

#include "win32/message_params.h"
#include "win32/wide_text.h"
#include "window/control_table.h"

#include <windows.h>

#include <array>
#include <commctrl.h>
#include <string>

namespace drovane {
namespace {

constexpr int VersionFieldWidth = 85;

struct StatusField {
    std::string_view text;
    // A tab before the text centres it in the field.
    std::wstring_view alignment;
};

constexpr std::array<StatusField, StatusFieldCount> statusFields{{
    {" Version " DROVANE_VERSION, L""},
    {"", L""},
    {"Hilfe", L"\t"},
}};

} // namespace

HWND createStatusBar(HWND window, int id, HINSTANCE instance) {
    HWND bar =
        CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                        fromInteger<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (bar == nullptr) {
        return nullptr;
    }
    RECT client{};
    GetClientRect(window, &client);
    const std::array<int, StatusFieldCount> rightEdges{
        VersionFieldWidth, static_cast<int>(client.right) - HelpFieldWidth, -1};
    SendMessageW(bar, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    for (int field = 0; field < StatusFieldCount; ++field) {
        setStatusField(bar, field, statusFields.at(static_cast<std::size_t>(field)).text);
    }
    return bar;
}

void setStatusField(HWND bar, int field, std::string_view utf8) {
    if (field < 0 || field >= StatusFieldCount) {
        return;
    }
    const std::wstring text =
        std::wstring(statusFields.at(static_cast<std::size_t>(field)).alignment) +
        wideFromUtf8(utf8);
    SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(field),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace drovane
