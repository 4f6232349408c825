#include "window/fault_descriptions.h"

#include <array>
#include <new>

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

} // namespace

std::string_view faultText(FaultCode code) {
    for (const auto& description : descriptions) {
        if (description.code == code) {
            return description.text;
        }
    }
    return "Unknown error code";
}

FaultCode faultCodeForException(const std::exception_ptr& exception) {
    if (!exception) {
        return UnknownFault;
    }
    try {
        std::rethrow_exception(exception);
    } catch (const std::bad_alloc&) {
        return AllocationFailed;
    } catch (...) {
        return UnknownFault;
    }
}

} // namespace drovane
