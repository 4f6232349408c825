// What the command line does differently by platform.

#include "cli/cli_texts.h"
#include "cli/crash_report.h"
#include "cli/port_stop_bits.h"
#include "cli/word_path.h"

#include "cli/crash_line.h"
#include "core/current_line.h"
#include "core/text.h"
#include "serial/character_frame.h"

#include <array>
#include <windows.h>

namespace drovane::cli_text {

const std::string_view kPortExamples =
    "COM1, COM12,\n                  VIRTUELL oder rfc2217://Rechner:Port\n                  bzw. "
    "socket://Rechner:Port (Geräteserver im Netz)";
const std::string_view kInterruptHelp =
    "Strg+C, Strg+Pause oder das Schließen des Fensters bricht eine Übertragung ab;\n"
    "ein zweites Mal beendet das Programm sofort.\n";

} // namespace drovane::cli_text

namespace drovane {

namespace {

// Runs on the faulting thread, which after a stack overflow has only a few
// pages left: a small buffer and the plainest write.
LONG WINAPI reportAndEnd(EXCEPTION_POINTERS* pointers) {
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    std::array<char, 96> line{};
    const std::size_t length =
        formatCrashLine(line, code, CurrentLine.load(std::memory_order_relaxed));
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(length), &written,
                nullptr);
    ::TerminateProcess(::GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void reportCrashes() {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(&reportAndEnd);
}

// A COM port takes one and a half as it stands.
double portStopBits(double profileStopBits) {
    return frameStopBits(profileStopBits);
}

std::filesystem::path pathFromWord(std::string_view word) {
    return {wideFromWindows1252(windows1252FromUtf8(word))};
}

std::string shownPath(const std::filesystem::path& path) {
    return utf8FromWindows1252(windows1252FromWide(path.native()));
}

} // namespace drovane
