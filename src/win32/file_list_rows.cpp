#include "win32/file_list_rows.h"

#include "win32/wide_text.h"
#include "window/file_list_columns.h"

#include <cstddef>

namespace drovane {

void FileListRows::setUpList(HWND list) {
    constexpr DWORD look = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, look, look);
    int index = 0;
    for (const auto& column : fileListColumns) {
        std::wstring title = wideFromUtf8(column.title);
        LVCOLUMNW description{};
        description.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        description.fmt = column.alignment == ColumnAlignment::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        description.cx = column.width;
        description.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&description));
    }
}

void FileListRows::show(HWND list, std::span<const FileRowText> rows) {
    rows_.clear();
    rows_.reserve(rows.size());
    for (const FileRowText& row : rows) {
        rows_.push_back({wideFromUtf8(row.name), wideFromUtf8(row.size), wideFromUtf8(row.type),
                         wideFromUtf8(row.modified)});
    }
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    SendMessageW(list, LVM_SETITEMCOUNT, rows_.size(), 0);
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    InvalidateRect(list, nullptr, TRUE);
}

void FileListRows::fill(NMLVDISPINFOW& request) const {
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.iItem < 0 || item.iItem >= count() ||
        item.iSubItem < 0 || item.iSubItem >= 4 || item.cchTextMax <= 0) {
        return;
    }
    const std::wstring& text =
        rows_[static_cast<std::size_t>(item.iItem)][static_cast<std::size_t>(item.iSubItem)];
    const std::size_t room = static_cast<std::size_t>(item.cchTextMax) - 1;
    const std::size_t copied = text.copy(item.pszText, room);
    item.pszText[copied] = L'\0';
}

} // namespace drovane
