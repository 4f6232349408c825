#include "win32/editor_line_breaks.h"

#include "core/text.h"

namespace drovane {

std::wstring EditorLineBreaks::toEditor(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (const char byte : bytes) {
        const bool lfOfShownBreak = pendingCr_ && byte == '\n';
        pendingCr_ = byte == '\r';
        if (lfOfShownBreak) {
            continue;
        }
        if (byte == '\r' || byte == '\n') {
            text += L"\r\n";
        } else if (byte == '\0') {
            text += L' ';
        } else {
            text += static_cast<wchar_t>(unicodeFromWindows1252(static_cast<unsigned char>(byte)));
        }
    }
    return text;
}

} // namespace drovane
