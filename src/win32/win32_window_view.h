#pragma once

// What the window logic asks of the window, done on the Win32 controls. The
// logic's UTF-8 and Windows-1252 texts become UTF-16 here and nowhere else.
// GUI thread only; a job posts through Win32MainWindow::post.

#include "win32/win32_main_window.h"
#include "window/window_view.h"

namespace drovane {

class Win32WindowView final : public WindowView {
public:
    explicit Win32WindowView(Win32MainWindow& window) : window_(window) {}

    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    bool checked(std::string_view control) const override;
    void setChecked(std::string_view control, bool on) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void setFocus(std::string_view control) override;

    std::vector<std::string> items(std::string_view control) const override;
    void setItems(std::string_view control, std::span<const std::string> items) override;
    int selectedItem(std::string_view control) const override;
    void selectItem(std::string_view control, int index) override;

    std::string tabTitle(int tab) const override;
    void setTabTitle(int tab, std::string_view title) override;
    void showMode(Mode mode) override;

    void clearEditor() override;
    void appendEditor(std::string_view bytes) override;
    void showEditor(const SharedText& text) override;
    void editorCaretToStart() override;
    void clearEditorSelection() override;
    void followEditorLine(std::optional<std::size_t> line) override;

    void appendStatus(std::string_view line) override;
    void replaceLastStatus(std::string_view line) override;
    void clearStatus() override;
    void clearStatusSelection() override;

    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;

    void setStatusField(int field, std::string_view text) override;

    void showFileRows(std::span<const FileRowText> rows) override;
    int selectedFileRow() const override;
    void selectFileRow(int row) override;

private:
    HWND control(std::string_view name) const { return window_.control(name); }
    bool isDropDown(std::string_view name) const;

    Win32MainWindow& window_;
};

} // namespace drovane
