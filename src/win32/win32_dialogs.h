#pragma once

// The program's dialogs as the system draws them: message boxes with the
// system's own buttons, a text-input dialog, the shell's folder chooser.

#include "win32/html_help.h"
#include "window/dialogs.h"

#include <windows.h>

namespace drovane {

class Win32Dialogs final : public Dialogs {
public:
    // `owner` is the main window: the dialogs are modal to it.
    explicit Win32Dialogs(HWND owner) : owner_(owner) {}

    void inform(std::string_view title, std::string_view text) override;
    bool askYesNo(std::string_view title, std::string_view text) override;
    std::optional<std::string> askText(std::string_view title, std::string_view prompt,
                                       std::string_view initial) override;
    std::string chooseFolder(std::string_view prompt, std::string_view start) override;

    // Shows drovane.chm in the system's help viewer; a missing file or
    // viewer shows nothing.
    void showHelp();

private:
    HWND owner_;
    HtmlHelp help_;
};

} // namespace drovane
