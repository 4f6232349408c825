#include "serial/win32/escape_function.h"

#include <array>

namespace drovane {

namespace {

struct EscapeCodes {
    SerialSignal signal;
    DWORD on;
    DWORD off;
};

constexpr std::array<EscapeCodes, 3> kEscapeCodes{{
    {SerialSignal::Dtr, SETDTR, CLRDTR},
    {SerialSignal::Rts, SETRTS, CLRRTS},
    {SerialSignal::Break, SETBREAK, CLRBREAK},
}};

} // namespace

std::optional<DWORD> escapeFunction(SerialSignal signal, int value) {
    for (const auto& entry : kEscapeCodes) {
        if (entry.signal == signal) {
            return value != 0 ? entry.on : entry.off;
        }
    }
    return std::nullopt;
}

} // namespace drovane
