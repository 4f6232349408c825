// Faults on purpose, after the fatal-error handler is installed, so that the
// test sees the box it leads to. The step marker stands at 4711.
//
// Argument: access, divide, overflow (on a job thread), bad_alloc, fatal7,
// fatal8, foreign (an exception code of no table row), abort.

#include "core/current_line.h"
#include "transfer/guarded_run.h"
#include "win32/fatal_error_handler.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <map>
#include <new>
#include <string>
#include <thread>
#include <windows.h>

namespace {

void accessViolation() {
    volatile int* const nowhere = nullptr;
    *nowhere = 1;
}

void divideByZero() {
    volatile int dividend = 1;
    volatile int zero = 0;
    volatile int quotient = dividend / zero;
    (void)quotient;
}

// Deeper than any stack; the frame keeps the optimiser from making a loop.
int overflowStack(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return depth > 1'000'000'000 ? 0 : overflowStack(depth + 1) + frame[0];
}

void overflowOnJobThread() {
    std::thread job([] { drovane::runGuarded([] { overflowStack(1); }); });
    job.join();
}

const std::map<std::string, void (*)()> faults{
    {"access", accessViolation},
    {"divide", divideByZero},
    {"overflow", overflowOnJobThread},
    {"bad_alloc",
     [] {
         throw std::bad_alloc();
     }},
    {"fatal7",
     [] {
         drovane::RaiseFatal(drovane::FunctionCallFailed);
     }},
    {"fatal8",
     [] {
         drovane::RaiseFatal(drovane::AllocationFailed);
     }},
    {"foreign",
     [] {
         ::RaiseException(0xE0001234, EXCEPTION_NONCONTINUABLE, 0, nullptr);
     }},
    {"abort",
     [] {
         std::abort();
     }},
};

} // namespace

int main(int argc, char* argv[]) {
    // Lines end in "\n" alone, as the Linux side reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    const auto fault = argc == 2 ? faults.find(argv[1]) : faults.end();
    if (fault == faults.end()) {
        std::fputs("unknown fault\n", stderr);
        return 2;
    }
    drovane::installFatalErrorHandler();
    drovane::CurrentLine.store(4711);
    fault->second();
    std::puts("survived");
    return 3;
}
