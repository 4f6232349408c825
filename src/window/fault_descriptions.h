#pragma once

// What the fatal-error box says for each fault: the program's own codes, the
// descriptions of processor and system faults, and which POSIX signal means
// which of them. Lookups only; safe inside a signal handler.

#include <cstdint>
#include <exception>
#include <string_view>

namespace drovane {

using FaultCode = std::uint32_t;

inline constexpr FaultCode FunctionCallFailed = 7;
inline constexpr FaultCode AllocationFailed = 8;
// No row of the table: shown as "Unknown error code".
inline constexpr FaultCode UnknownFault = 0;

inline constexpr FaultCode InvalidMemoryAccess = 0xC0000005;
inline constexpr FaultCode StackOverflow = 0xC00000FD;

std::string_view faultText(FaultCode code);

// POSIX only: the fault a signal stands for; `stackOverflow` when the fault address lies
// at the edge of the faulting thread's stack.
FaultCode faultCodeForSignal(int signal, int siCode, bool stackOverflow);

// The fault an exception that ends the program stands for (std::terminate,
// not a signal handler): running out of memory, or an unknown one.
FaultCode faultCodeForException(const std::exception_ptr& exception);

} // namespace drovane
