#include "win32/win32_window_view.h"

#include "win32/edit_text.h"
#include "win32/picture_icons.h"
#include "win32/program_text_view.h"
#include "win32/status_bar.h"
#include "win32/wide_text.h"
#include "window/list_paging.h"

#include <windows.h>

#include <commctrl.h>

namespace drovane {
namespace {

// Scrolls whole rows until `top` is the first row shown: the entry the
// program selects then never sits on the last line, where the operator
// would miss it.
void showFromRow(HWND list, int top) {
    RECT rowArea{};
    rowArea.left = LVIR_BOUNDS;
    if (SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rowArea)) == FALSE) {
        return;
    }
    const auto shown = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    const int rowHeight = rowArea.bottom - rowArea.top;
    SendMessageW(list, LVM_SCROLL, 0, (top - shown) * rowHeight);
}

constexpr int TitleRoom = 260;

std::wstring itemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void setListSelection(HWND list, int row, UINT state) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

} // namespace

bool Win32WindowView::isDropDown(std::string_view name) const {
    const ControlSpec* spec = window_.spec(name);
    return spec != nullptr && spec->kind == ControlKind::DropDown;
}

std::string Win32WindowView::text(std::string_view control) const {
    HWND handle = this->control(control);
    if (isDropDown(control)) {
        return utf8FromWide(itemText(handle, selectedItem(control)));
    }
    return handle == nullptr ? std::string() : utf8FromWide(editText(handle));
}

void Win32WindowView::setText(std::string_view control, std::string_view text) {
    const auto change = window_.programChange();
    SetWindowTextW(this->control(control), wideFromUtf8(text).c_str());
}

bool Win32WindowView::checked(std::string_view control) const {
    return SendMessageW(this->control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowView::setChecked(std::string_view control, bool on) {
    SendMessageW(this->control(control), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32WindowView::setEnabled(std::string_view control, bool enabled) {
    EnableWindow(this->control(control), enabled ? TRUE : FALSE);
}

void Win32WindowView::setFocus(std::string_view control) {
    if (HWND handle = this->control(control)) {
        SetFocus(handle);
    }
}

std::vector<std::string> Win32WindowView::items(std::string_view control) const {
    HWND combo = this->control(control);
    const LRESULT count = combo == nullptr ? 0 : SendMessageW(combo, CB_GETCOUNT, 0, 0);
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        result.push_back(utf8FromWide(itemText(combo, index)));
    }
    return result;
}

void Win32WindowView::setItems(std::string_view control, std::span<const std::string> items) {
    const auto change = window_.programChange();
    HWND combo = this->control(control);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
    }
}

int Win32WindowView::selectedItem(std::string_view control) const {
    HWND combo = this->control(control);
    const LRESULT index = combo == nullptr ? CB_ERR : SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void Win32WindowView::selectItem(std::string_view control, int index) {
    const auto change = window_.programChange();
    SendMessageW(this->control(control), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32WindowView::tabTitle(int tab) const {
    std::wstring title(TitleRoom, L'\0');
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    item.cchTextMax = TitleRoom;
    if (SendMessageW(control("MainPanel"), TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item)) ==
        0) {
        return {};
    }
    // The panel may answer with its own buffer instead of ours.
    return utf8FromWide(item.pszText);
}

void Win32WindowView::setTabTitle(int tab, std::string_view title) {
    std::wstring text = wideFromUtf8(title);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    HWND panel = control("MainPanel");
    SendMessageW(panel, TCM_SETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    // The panel repaints only the new title's extent; a shorter title would
    // leave the end of the old one standing.
    InvalidateRect(panel, nullptr, TRUE);
}

void Win32WindowView::showMode(Mode mode) {
    const Picture picture = mode == Mode::Receive ? Picture::Receive : Picture::Send;
    SendMessageW(control("DirectionButton"), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(pictureIcon(window_.instance(), picture)));
}

void Win32WindowView::clearEditor() {
    window_.programEditor().clear();
}

void Win32WindowView::appendEditor(std::string_view bytes) {
    window_.programEditor().append(bytes);
}

void Win32WindowView::showEditor(const SharedText& text) {
    window_.programEditor().show(text);
}

void Win32WindowView::editorCaretToStart() {
    if (ProgramTextView* editor = ProgramTextView::of(control("ProgramEditor"))) {
        editor->scrollToStart();
    }
}

void Win32WindowView::followEditorLine(std::optional<std::size_t> line) {
    if (ProgramTextView* editor = ProgramTextView::of(control("ProgramEditor"))) {
        editor->followLine(line);
    }
}

void Win32WindowView::clearEditorSelection() {
    if (ProgramTextView* editor = ProgramTextView::of(control("ProgramEditor"))) {
        editor->clearSelection();
    }
}

void Win32WindowView::appendStatus(std::string_view line) {
    appendLine(control("StatusLine"), wideFromUtf8(line));
}

void Win32WindowView::replaceLastStatus(std::string_view line) {
    replaceLastLine(control("StatusLine"), wideFromUtf8(line));
}

void Win32WindowView::clearStatus() {
    SetWindowTextW(control("StatusLine"), L"");
}

void Win32WindowView::clearStatusSelection() {
    SendMessageW(control("StatusLine"), EM_SETSEL, static_cast<WPARAM>(-1), 0);
}

void Win32WindowView::setProgressMaximum(int maximum) {
    SendMessageW(control("TransferProgress"), PBM_SETRANGE32, 0, maximum);
}

void Win32WindowView::setProgressValue(int value) {
    SendMessageW(control("TransferProgress"), PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void Win32WindowView::setStatusField(int field, std::string_view text) {
    drovane::setStatusField(control("StatusBar"), field, text);
}

void Win32WindowView::showFileRows(std::span<const FileRowText> rows) {
    const auto change = window_.programChange();
    window_.fileRows().show(control("FileList"), rows);
}

int Win32WindowView::selectedFileRow() const {
    return static_cast<int>(
        SendMessageW(control("FileList"), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32WindowView::selectFileRow(int row) {
    const auto change = window_.programChange();
    HWND list = control("FileList");
    setListSelection(list, -1, 0);
    if (row >= 0 && row < window_.fileRows().count()) {
        setListSelection(list, row, LVIS_SELECTED | LVIS_FOCUSED);
        showFromRow(list, firstShownRow(
                              row, static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)),
                              window_.fileRows().count()));
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
}

} // namespace drovane
