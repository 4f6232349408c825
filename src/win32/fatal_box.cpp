#include "win32/fatal_box.h"

#include "core/text.h"
#include "window/fatal_message.h"

namespace drovane {

void writeFatalBoxText(FatalBoxText& text, FaultCode code, std::int32_t line) noexcept {
    std::array<char, std::tuple_size_v<FatalBoxText>> bytes{};
    const std::size_t length =
        formatFatalMessage(bytes.data(), bytes.size(), faultText(code), line);
    for (std::size_t i = 0; i < length; ++i) {
        text[i] =
            static_cast<wchar_t>(unicodeFromWindows1252(static_cast<unsigned char>(bytes[i])));
    }
    text[length] = L'\0';
}

HWND fatalBoxOwner(DWORD blockedThread) noexcept {
    const HWND foreground = ::GetForegroundWindow();
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(foreground, &process);
    const bool usable =
        foreground != nullptr && process == ::GetCurrentProcessId() && thread != blockedThread;
    return usable ? foreground : nullptr;
}

void showFatalBox(const FatalBoxText& text, HWND owner) noexcept {
    const UINT modality = owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    ::MessageBoxW(owner, text.data(), FatalBoxTitle,
                  MB_OK | MB_ICONERROR | MB_SETFOREGROUND | modality);
}

} // namespace drovane
