#include "win32/fatal_error_handler.h"

#include "core/current_line.h"
#include "win32/fatal_box.h"
#include "window/fault_descriptions.h"

#include <atomic>
#include <csignal>
#include <cwchar>
#include <exception>

namespace drovane {
namespace {

// Enough for the filter to start the thread that shows the box after a stack
// overflow; job threads keep the same (see guarded_run_win32.cpp).
constexpr ULONG reportStackBytes = 64UL * 1024;

std::atomic<DWORD> reportingThread{0};
FatalBoxText boxText{};

// Only one fault is reported; a second thread faulting meanwhile waits for
// the end of the process, and a fault inside the report ends it at once.
void claimReport() {
    DWORD expected = 0;
    const DWORD self = ::GetCurrentThreadId();
    if (reportingThread.compare_exchange_strong(expected, self)) {
        return;
    }
    if (expected == self) {
        ::TerminateProcess(::GetCurrentProcess(), 0);
    }
    for (;;) {
        ::Sleep(INFINITE);
    }
}

// For whoever reads the log of a machine without a display.
void writeToStandardError(const FatalBoxText& text) {
    std::array<char, std::tuple_size_v<FatalBoxText> + 1> line{};
    std::size_t length = 0;
    for (; text[length] != L'\0'; ++length) {
        line[length] = static_cast<char>(text[length] < 0x80 ? text[length] : L'?');
    }
    line[length++] = '\n';
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(length), &written,
                nullptr);
}

// The reporting thread waits for this one; its windows cannot own the box.
DWORD WINAPI showBoxBesideFaultingThread(LPVOID /*unused*/) {
    showFatalBox(boxText, fatalBoxOwner(reportingThread.load()));
    return 0;
}

// A thread whose stack ran out cannot draw a box; a fresh one can.
void showBoxFromFreshThread() {
    const HANDLE thread =
        ::CreateThread(nullptr, 0, &showBoxBesideFaultingThread, nullptr, 0, nullptr);
    if (thread != nullptr) {
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
    }
}

[[noreturn]] void reportAndEnd(FaultCode code, std::int32_t line) {
    claimReport();
    writeFatalBoxText(boxText, code, line);
    writeToStandardError(boxText);
    if (code == StackOverflow) {
        showBoxFromFreshThread();
    } else {
        showFatalBox(boxText, fatalBoxOwner());
    }
    ::TerminateProcess(::GetCurrentProcess(), 0);
    ::ExitProcess(0);
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* pointers) {
    reportAndEnd(pointers->ExceptionRecord->ExceptionCode,
                 CurrentLine.load(std::memory_order_relaxed));
}

[[noreturn]] void onTerminate() {
    const std::int32_t line = CurrentLine.load(std::memory_order_relaxed);
    reportAndEnd(faultCodeForException(std::current_exception()), line);
}

void onAbort(int /*signal*/) {
    reportAndEnd(UnknownFault, CurrentLine.load(std::memory_order_relaxed));
}

} // namespace

void installFatalErrorHandler() {
    // No system crash dialog of its own beside ours.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ULONG guarantee = reportStackBytes;
    ::SetThreadStackGuarantee(&guarantee);
    ::SetUnhandledExceptionFilter(&onUnhandledException);
    std::set_terminate(&onTerminate);
    std::signal(SIGABRT, &onAbort);
}

void RaiseFatal(FaultCode code) {
    reportAndEnd(code, CurrentLine.load(std::memory_order_relaxed));
}

} // namespace drovane
