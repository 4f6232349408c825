#pragma once
// What the window logic asks of a front end, and nothing more. Controls are
// addressed by their name in the control table ("StatusBar", "MainPanel" and
// "DirectionButton"'s picture included). Texts are UTF-8; the program editor
// takes Windows-1252 bytes, as the program text is held.
#include "window/file_row_text.h"
#include "window/shared_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

enum class Mode : std::uint8_t { Send, Receive };

// What a front end reports about a control.
enum class Trigger : std::uint8_t {
    Click,
    RightPress,
    Edited,
    FocusGained,
    FocusLost,
    ListClicked,
    ListChanged,
    ListOpened,
    HelpClick,
    // A list entry picked by the user, never one set by the program.
    Picked,
};

class WindowView {
public:
    WindowView() = default;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;
    WindowView(WindowView&&) = delete;
    WindowView& operator=(WindowView&&) = delete;
    virtual ~WindowView() = default;

    // Text fields, labels, button captions; a drop-down's selected entry.
    virtual std::string text(std::string_view control) const = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    virtual bool checked(std::string_view control) const = 0;
    virtual void setChecked(std::string_view control, bool on) = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    virtual void setFocus(std::string_view control) = 0;

    // Drop-down lists.
    virtual std::vector<std::string> items(std::string_view control) const = 0;
    virtual void setItems(std::string_view control, std::span<const std::string> items) = 0;
    virtual int selectedItem(std::string_view control) const = 0; // -1 for none
    virtual void selectItem(std::string_view control, int index) = 0;

    // The tab panel and the picture of the direction button.
    virtual std::string tabTitle(int tab) const = 0;
    virtual void setTabTitle(int tab, std::string_view title) = 0;
    virtual void showMode(Mode mode) = 0;

    // The program editor, in Windows-1252 bytes.
    virtual void clearEditor() = 0;
    virtual void appendEditor(std::string_view bytes) = 0;
    // Replaces what the editor shows; a front end may keep the shared bytes
    // instead of a copy.
    virtual void showEditor(const SharedText& text) {
        clearEditor();
        appendEditor(text);
    }
    virtual void editorCaretToStart() = 0;
    virtual void clearEditorSelection() = 0;
    // Keeps this line (from 0) in sight and marked; none marks nothing.
    virtual void followEditorLine(std::optional<std::size_t> line) = 0;

    // The status line (the log), one line at a time.
    virtual void appendStatus(std::string_view line) = 0;
    virtual void replaceLastStatus(std::string_view line) = 0;
    virtual void clearStatus() = 0;
    virtual void clearStatusSelection() = 0;

    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;

    // The three fields of the status bar.
    virtual void setStatusField(int field, std::string_view text) = 0;

    // The file list shows what the window logic has read; it decides nothing.
    virtual void showFileRows(std::span<const FileRowText> rows) = 0;
    virtual int selectedFileRow() const = 0; // -1 for none
    virtual void selectFileRow(int row) = 0; // -1 clears; scrolls it into view
};

} // namespace drovane
