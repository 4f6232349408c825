// A crash on Windows: the structured exception no code handles. Each case
// runs in a child process that really faults.

#include "cli/crash_report.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace drovane {
namespace {

void accessViolation() {
    volatile int* const nowhere = nullptr;
    *nowhere = 1;
}

// Deeper than any stack; the frame keeps the optimiser from making a loop.
int overflowStack(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return depth > 1'000'000'000 ? 0 : overflowStack(depth + 1) + frame[0];
}

void ownException() {
    ::RaiseException(0xE0000001, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST(CrashReport, AnUnhandledFaultEndsWithItsCodeAndOneLine) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        void (*fault)();
        DWORD code;
        const char* line;
    } cases[] = {
        {accessViolation, EXCEPTION_ACCESS_VIOLATION,
         "^drovane-cli: Programmfehler 0xC0000005 Zeile: \\d+\n$"},
        {[] { overflowStack(1); }, EXCEPTION_STACK_OVERFLOW,
         "^drovane-cli: Programmfehler 0xC00000FD Zeile: \\d+\n$"},
        {ownException, 0xE0000001, "^drovane-cli: Programmfehler 0xE0000001 Zeile: \\d+\n$"},
    };
    for (const auto& c : cases) {
        EXPECT_EXIT(
            {
                reportCrashes();
                c.fault();
            },
            ::testing::ExitedWithCode(static_cast<int>(c.code)), c.line);
    }
}

} // namespace
} // namespace drovane
