#include "qt/fatal_error_handler.h"

#include "core/alternate_signal_stack.h"
#include "core/current_line.h"
#include "window/fatal_message.h"
#include "window/fault_descriptions.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <exception>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

extern char** environ; // NOLINT(readability-redundant-declaration)

namespace drovane {
namespace {

constexpr std::array fatalSignals{SIGSEGV, SIGFPE, SIGILL, SIGBUS, SIGTRAP, SIGABRT};

// Everything the handler needs is made ready here at install time: it may
// neither allocate nor take a lock.
struct BoxLaunch {
    std::vector<std::string> words;
    std::vector<char*> argv;
    std::array<char, 512> message{};
};

BoxLaunch& launch() {
    static BoxLaunch instance;
    return instance;
}

std::atomic<long> reportingThread{0};

long currentThread() {
    return ::syscall(SYS_gettid);
}

// Only one fault is reported; a second thread faulting meanwhile waits for
// the end of the process, and a fault inside the report ends it at once.
void claimReport() {
    long expected = 0;
    const long self = currentThread();
    if (reportingThread.compare_exchange_strong(expected, self)) {
        return;
    }
    if (expected == self) {
        ::_exit(0);
    }
    for (;;) {
        ::pause();
    }
}

pid_t forkForBox() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    return ::_Fork(); // fork() runs atfork handlers, which are not signal-safe
#else
    return ::fork();
#endif
}

void showBoxAndWait() {
    BoxLaunch& box = launch();
    const pid_t child = forkForBox();
    if (child == 0) {
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr); // the mask survives execve
        ::execve(box.argv[0], box.argv.data(), environ);
        ::_exit(127);
    }
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

[[noreturn]] void reportAndExit(FaultCode code, std::int32_t line) {
    claimReport();
    BoxLaunch& box = launch();
    const auto length =
        formatFatalMessage(box.message.data(), box.message.size(), faultText(code), line);
    // Also on stderr, for whoever reads the log of a machine without display.
    [[maybe_unused]] const auto ignored = ::write(STDERR_FILENO, box.message.data(), length);
    [[maybe_unused]] const auto newline = ::write(STDERR_FILENO, "\n", 1);
    if (!box.argv.empty()) {
        showBoxAndWait();
    }
    ::_exit(0);
}

std::uintptr_t stackPointerOf(const void* context) {
    const auto* user = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    return static_cast<std::uintptr_t>(user->uc_mcontext.gregs[REG_RSP]);
#elif defined(__aarch64__)
    return static_cast<std::uintptr_t>(user->uc_mcontext.sp);
#else
    (void)user;
    return 0;
#endif
}

// A stack overflow faults just below the stack pointer (a push or a call) or
// inside a frame that was just reserved above it; other faults hit addresses
// far from the stack.
bool faultsAtStackEdge(const siginfo_t* info, const void* context) {
    constexpr std::uintptr_t below = 64UL * 1024;
    constexpr std::uintptr_t above = 1024UL * 1024;
    const auto stackPointer = stackPointerOf(context);
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    return stackPointer != 0 && address + below >= stackPointer && address < stackPointer + above;
}

void onFatalSignal(int signal, siginfo_t* info, void* context) {
    const std::int32_t line = CurrentLine.load(std::memory_order_relaxed);
    const bool stackOverflow = signal == SIGSEGV && faultsAtStackEdge(info, context);
    reportAndExit(faultCodeForSignal(signal, info->si_code, stackOverflow), line);
}

[[noreturn]] void onTerminate() {
    const std::int32_t line = CurrentLine.load(std::memory_order_relaxed);
    reportAndExit(faultCodeForException(std::current_exception()), line);
}

void prepareLaunch(FatalBoxCommand command) {
    BoxLaunch& box = launch();
    box.words.clear();
    box.words.push_back(std::move(command.program));
    for (auto& argument : command.arguments) {
        box.words.push_back(std::move(argument));
    }
    box.words.emplace_back(FatalBoxOption);
    box.argv.clear();
    for (auto& word : box.words) {
        box.argv.push_back(word.data());
    }
    box.argv.push_back(box.message.data());
    box.argv.push_back(nullptr);
}

} // namespace

void installFatalErrorHandler(FatalBoxCommand command) {
    prepareLaunch(std::move(command));
    static const AlternateSignalStack mainThreadStack;
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    ::sigemptyset(&action.sa_mask);
    for (const int signal : fatalSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    std::set_terminate(onTerminate);
}

void RaiseFatal(int code) {
    reportAndExit(static_cast<FaultCode>(code), CurrentLine.load(std::memory_order_relaxed));
}

} // namespace drovane
