#include "window/fault_descriptions.h"

#include <array>
#include <csignal>

namespace drovane {
namespace {

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
