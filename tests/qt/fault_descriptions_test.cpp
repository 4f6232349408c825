#include "window/fatal_message.h"
#include "window/fault_descriptions.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

using namespace drovane;

namespace {

std::string textFor(int signal, int siCode, bool stackOverflow = false) {
    return std::string(faultText(faultCodeForSignal(signal, siCode, stackOverflow)));
}

} // namespace

TEST(FaultDescriptions, EachSignalMeansTheRowThatSaysTheSame) {
    struct Row {
        int signal;
        int siCode;
        bool stackOverflow;
        const char* text;
    };
    const Row rows[] = {
        {SIGSEGV, SEGV_MAPERR, false, "Invalid memory access"},
        {SIGSEGV, SEGV_ACCERR, false, "Invalid memory access"},
        {SIGSEGV, SEGV_MAPERR, true, "Stack overflow"},
        {SIGSEGV, SEGV_ACCERR, true, "Stack overflow"},
        {SIGFPE, FPE_INTDIV, false, "Division by zero "},
        {SIGFPE, FPE_INTOVF, false, "Integer overflow"},
        {SIGFPE, FPE_FLTDIV, false, "Division by zero (floating-point)"},
        {SIGFPE, FPE_FLTOVF, false, "Floating-point overflow (exponent to great)"},
        {SIGFPE, FPE_FLTUND, false, "Floating-point underflow (exponent too small)"},
        {SIGFPE, FPE_FLTRES, false, "Inexact floating-point result"},
        {SIGFPE, FPE_FLTINV, false, "Invalid floating-point operation"},
        {SIGFPE, FPE_FLTSUB, false, "Array bounds exceeded"},
        {SIGFPE, SI_USER, false, "Unknown error code"},
        {SIGFPE, FPE_INTDIV, true, "Division by zero "},
        {SIGILL, ILL_ILLOPC, false, "Illegal instruction"},
        {SIGILL, ILL_ILLOPN, false, "Illegal instruction"},
        {SIGILL, ILL_PRVOPC, false, "Privileged instruction"},
        {SIGILL, ILL_PRVREG, false, "Privileged instruction"},
        {SIGBUS, BUS_ADRALN, false, "Misaligned data access"},
        {SIGBUS, BUS_ADRERR, false, "Memory page error"},
        {SIGBUS, BUS_OBJERR, false, "Memory page error"},
        {SIGTRAP, TRAP_BRKPT, false, "Debugger breakpoint reached"},
        {SIGTRAP, TRAP_TRACE, false, "Single step trap"},
        {SIGABRT, SI_TKILL, false, "Unknown error code"},
        {SIGTERM, SI_USER, false, "Unknown error code"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(textFor(row.signal, row.siCode, row.stackOverflow), row.text)
            << "signal " << row.signal << " code " << row.siCode;
    }
}

TEST(FaultDescriptions, TheProgramsOwnCodesAndTheRest) {
    EXPECT_EQ(faultText(FunctionCallFailed), "Funktionsaufruf fehlgeschlagen! ");
    EXPECT_EQ(faultText(AllocationFailed), "AllocateMemory fehlgeschlagen! ");
    EXPECT_EQ(faultText(0xC0000026), "Exception handler returned unknown value");
    EXPECT_EQ(faultText(0xC0000025),
              "Exception handler tried to continue after non-continuable exception");
    EXPECT_EQ(faultText(0xC0000092), "Floating-point stack overflow or underflow");
    EXPECT_EQ(faultText(0xC000008D), "Denormal floating-point operand");
    EXPECT_EQ(faultText(UnknownFault), "Unknown error code");
    EXPECT_EQ(faultText(9), "Unknown error code");
}

TEST(FatalMessage, TextThenLineAndAlwaysTerminated) {
    char buffer[64];
    EXPECT_EQ(formatFatalMessage(buffer, sizeof buffer, "AllocateMemory fehlgeschlagen! ", 812),
              42u);
    EXPECT_STREQ(buffer, "AllocateMemory fehlgeschlagen!  Zeile: 812");
    formatFatalMessage(buffer, sizeof buffer, "Stack overflow", 0);
    EXPECT_STREQ(buffer, "Stack overflow Zeile: 0");
    formatFatalMessage(buffer, sizeof buffer, "x", INT32_MIN);
    EXPECT_STREQ(buffer, "x Zeile: -2147483648");

    char small[12];
    EXPECT_EQ(formatFatalMessage(small, sizeof small, "Invalid memory access", 5), 11u);
    EXPECT_STREQ(small, "Invalid mem");
}
