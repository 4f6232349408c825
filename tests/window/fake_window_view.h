#pragma once

// A window without a toolkit: every control of the control table as plain
// state, the editor and the status line as text.

#include "window/window_view.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace drovane::testing {

class FakeWindowView final : public WindowView {
public:
    struct Control {
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool dropDown = false;
        std::vector<std::string> items;
        int selected = -1;
    };

    FakeWindowView() { reset(); }
    // Every control as the control table makes it, as after a restart.
    void reset();

    std::string text(std::string_view name) const override;
    void setText(std::string_view name, std::string_view text) override;
    bool checked(std::string_view name) const override;
    void setChecked(std::string_view name, bool on) override;
    void setEnabled(std::string_view name, bool enabled) override;
    void setFocus(std::string_view control) override { focus = control; }

    std::vector<std::string> items(std::string_view name) const override;
    void setItems(std::string_view name, std::span<const std::string> items) override;
    int selectedItem(std::string_view name) const override;
    void selectItem(std::string_view name, int index) override;

    std::string tabTitle(int tab) const override;
    void setTabTitle(int tab, std::string_view title) override;
    void showMode(Mode mode) override { picture = mode; }

    void clearEditor() override;
    void appendEditor(std::string_view bytes) override { editor += bytes; }
    void editorCaretToStart() override { caretAtStart = true; }
    void clearEditorSelection() override { ++editorSelectionClears; }
    void followEditorLine(std::optional<std::size_t> line) override { followedLine = line; }

    void appendStatus(std::string_view line) override { status.emplace_back(line); }
    void replaceLastStatus(std::string_view line) override;
    void clearStatus() override { status.clear(); }
    void clearStatusSelection() override { ++statusSelectionClears; }

    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressValue(int value) override { progressValue = value; }
    void setStatusField(int field, std::string_view text) override;

    void showFileRows(std::span<const FileRowText> rows) override;
    int selectedFileRow() const override { return fileRow; }
    void selectFileRow(int row) override { fileRow = row; }

    // Selects the drop-down entry with this text, as the operator would.
    void pick(std::string_view name, std::string_view entry);
    Control& control(std::string_view name);
    const Control& control(std::string_view name) const;

    Mode picture = Mode::Send;
    std::string editor; // Windows-1252 bytes
    bool caretAtStart = false;
    int editorSelectionClears = 0;
    std::optional<std::size_t> followedLine;
    std::vector<std::string> status;
    int statusSelectionClears = 0;
    int progressMaximum = 100;
    int progressValue = 0;
    std::array<std::string, 3> statusFields;
    std::vector<FileRowText> fileRows;
    int fileRow = -1;
    std::string focus;

private:
    std::map<std::string, Control, std::less<>> controls_;
    std::vector<std::string> tabTitles_;
};

} // namespace drovane::testing
