#include "win32/edit_text.h"

namespace drovane {
namespace {

void replaceRange(HWND edit, LRESULT start, LRESULT end, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT textLength(HWND edit) {
    return GetWindowTextLengthW(edit);
}

} // namespace

std::wstring editText(HWND edit) {
    std::wstring text(static_cast<std::size_t>(textLength(edit)) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void appendLine(HWND edit, const std::wstring& line) {
    const LRESULT end = textLength(edit);
    replaceRange(edit, end, end, end == 0 ? line : L"\r\n" + line);
}

void replaceLastLine(HWND edit, const std::wstring& line) {
    const LRESULT lastLine = SendMessageW(edit, EM_GETLINECOUNT, 0, 0) - 1;
    const LRESULT lastLineStart = SendMessageW(edit, EM_LINEINDEX, lastLine, 0);
    replaceRange(edit, lastLineStart, textLength(edit), line);
}

} // namespace drovane
