#pragma once

// The system's HTML help viewer, from "hhctrl.ocx", loaded at the first call.
// Its help windows close when this ends.

#include <windows.h>

namespace drovane {

class HtmlHelp {
public:
    HtmlHelp() = default;
    HtmlHelp(const HtmlHelp&) = delete;
    HtmlHelp& operator=(const HtmlHelp&) = delete;
    HtmlHelp(HtmlHelp&&) = delete;
    HtmlHelp& operator=(HtmlHelp&&) = delete;
    ~HtmlHelp();

    // The help file's default topic; false when the viewer is missing or
    // refuses the file.
    bool showDefaultTopic(HWND owner, const char* file);

private:
    using Entry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

    bool load();

    HMODULE library_ = nullptr;
    Entry entry_ = nullptr;
};

} // namespace drovane
