#pragma once

// The rows the file list shows. The list holds no items of its own (owner
// data): it asks for each visible cell, and a new listing is one count.

#include "window/window_view.h"

#include <windows.h>

#include <array>
#include <commctrl.h>
#include <span>
#include <string>
#include <vector>

namespace drovane {

class FileListRows {
public:
    // Adds the four columns and the list's look.
    static void setUpList(HWND list);

    void show(HWND list, std::span<const FileRowText> rows);
    // Answers LVN_GETDISPINFOW.
    void fill(NMLVDISPINFOW& request) const;
    int count() const { return static_cast<int>(rows_.size()); }

private:
    std::vector<std::array<std::wstring, 4>> rows_;
};

} // namespace drovane
