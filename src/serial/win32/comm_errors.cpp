#include "serial/win32/comm_errors.h"

#include <array>

namespace drovane {

namespace {

struct ErrorBit {
    DWORD bit;
    SerialError flag;
};

constexpr std::array<ErrorBit, 8> kErrorBits{{
    {CE_RXOVER, SerialError::RxOver},
    {CE_OVERRUN, SerialError::OverRun},
    {CE_RXPARITY, SerialError::RxParity},
    {CE_FRAME, SerialError::Frame},
    {CE_BREAK, SerialError::Break},
    {CE_TXFULL, SerialError::TxFull},
    {CE_IOE, SerialError::IOE},
    // The handle is no port (any more): as dead as an I/O error.
    {CE_MODE, SerialError::IOE},
}};

// COMSTAT's states are bit-fields, which no member pointer can name.
struct StatusBit {
    bool (*set)(const COMSTAT& status);
    SerialError flag;
};

constexpr std::array<StatusBit, 7> kStatusBits{{
    {[](const COMSTAT& s) { return s.fCtsHold != 0; }, SerialError::WaitingCTS},
    {[](const COMSTAT& s) { return s.fDsrHold != 0; }, SerialError::WaitingDSR},
    {[](const COMSTAT& s) { return s.fRlsdHold != 0; }, SerialError::WaitingRLSD},
    {[](const COMSTAT& s) { return s.fXoffHold != 0; }, SerialError::XoffReceived},
    {[](const COMSTAT& s) { return s.fXoffSent != 0; }, SerialError::XoffSent},
    {[](const COMSTAT& s) { return s.fEof != 0; }, SerialError::EOFSent},
    // A TransmitCommChar byte waiting; this program sends none and no flag
    // of ours stands for it.
    {[](const COMSTAT& s) { return s.fTxim != 0; }, SerialError::None},
}};

} // namespace

SerialError serialErrorsFrom(DWORD errors, const COMSTAT& status) {
    SerialError result = SerialError::None;
    for (const auto& entry : kErrorBits) {
        if ((errors & entry.bit) != 0) {
            result |= entry.flag;
        }
    }
    for (const auto& entry : kStatusBits) {
        if (entry.set(status)) {
            result |= entry.flag;
        }
    }
    return result;
}

} // namespace drovane
