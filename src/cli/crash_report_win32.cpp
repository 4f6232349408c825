#include "cli/crash_report.h"

#include "cli/crash_line.h"
#include "core/current_line.h"

#include <array>
#include <windows.h>

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

} // namespace drovane
