#include "shell/fault_descriptions.h"

#include <array>
#include <csignal>

namespace drovane {
namespace {

struct FaultDescription {
    FaultCode code;
    std::string_view text;
};

constexpr std::array<FaultDescription, 22> descriptions{{
    {FunctionCallFailed, "Funktionsaufruf fehlgeschlagen! "},
    {AllocationFailed, "AllocateMemory fehlgeschlagen! "},
    {0xC0000005, "Invalid memory access"},
    {0xC000008C, "Array bounds exceeded"},
    {0x80000003, "Debugger breakpoint reached"},
    {0x80000002, "Misaligned data access"},
    {0xC000008D, "Denormal floating-point operand"},
    {0xC000008E, "Division by zero (floating-point)"},
    {0xC000008F, "Inexact floating-point result"},
    {0xC0000090, "Invalid floating-point operation"},
    {0xC0000091, "Floating-point overflow (exponent to great)"},
    {0xC0000092, "Floating-point stack overflow or underflow"},
    {0xC0000093, "Floating-point underflow (exponent too small)"},
    {0xC000001D, "Illegal instruction"},
    {0xC0000006, "Memory page error"},
    {0xC0000094, "Division by zero "},
    {0xC0000095, "Integer overflow"},
    {0xC0000026, "Exception handler returned unknown value"},
    {0xC0000025, "Exception handler tried to continue after non-continuable exception"},
    {0xC0000096, "Privileged instruction"},
    {0x80000004, "Single step trap"},
    {0xC00000FD, "Stack overflow"},
}};

constexpr int anyCode = -1000;

struct SignalMeaning {
    int signal;
    int siCode; // anyCode: every code not listed before it
    FaultCode code;
};

// First match wins, so each signal's catch-all row comes last.
constexpr std::array<SignalMeaning, 17> signalMeanings{{
    {SIGSEGV, anyCode, 0xC0000005},
    {SIGFPE, FPE_INTDIV, 0xC0000094},
    {SIGFPE, FPE_INTOVF, 0xC0000095},
    {SIGFPE, FPE_FLTDIV, 0xC000008E},
    {SIGFPE, FPE_FLTOVF, 0xC0000091},
    {SIGFPE, FPE_FLTUND, 0xC0000093},
    {SIGFPE, FPE_FLTRES, 0xC000008F},
    {SIGFPE, FPE_FLTINV, 0xC0000090},
    {SIGFPE, FPE_FLTSUB, 0xC000008C},
    {SIGILL, ILL_PRVOPC, 0xC0000096},
    {SIGILL, ILL_PRVREG, 0xC0000096},
    {SIGILL, anyCode, 0xC000001D},
    {SIGBUS, BUS_ADRALN, 0x80000002},
    {SIGBUS, anyCode, 0xC0000006},
    {SIGTRAP, TRAP_TRACE, 0x80000004},
    {SIGTRAP, anyCode, 0x80000003},
    {SIGABRT, anyCode, UnknownFault},
}};

} // namespace

std::string_view faultText(FaultCode code) {
    for (const auto& description : descriptions) {
        if (description.code == code) {
            return description.text;
        }
    }
    return "Unknown error code";
}

FaultCode faultCodeForSignal(int signal, int siCode, bool stackOverflow) {
    if (signal == SIGSEGV && stackOverflow) {
        return StackOverflow;
    }
    for (const auto& meaning : signalMeanings) {
        if (meaning.signal == signal && (meaning.siCode == siCode || meaning.siCode == anyCode)) {
            return meaning.code;
        }
    }
    return UnknownFault;
}

} // namespace drovane
