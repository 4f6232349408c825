#include "serial/termios/modem_lines.h"

#include <algorithm>
#include <array>
#include <sys/ioctl.h>

namespace drovane {

namespace {

struct ModemLine {
    SerialSignal signal;
    int bit;
};

constexpr std::array<ModemLine, 6> kModemLines{{
    {SerialSignal::Dtr, TIOCM_DTR},
    {SerialSignal::Rts, TIOCM_RTS},
    {SerialSignal::Cts, TIOCM_CTS},
    {SerialSignal::Dsr, TIOCM_DSR},
    {SerialSignal::Ring, TIOCM_RI},
    {SerialSignal::Rlsd, TIOCM_CD},
}};

const ModemLine* lineFor(SerialSignal signal) {
    const auto* line =
        std::find_if(kModemLines.begin(), kModemLines.end(),
                     [signal](const ModemLine& entry) { return entry.signal == signal; });
    return line != kModemLines.end() ? line : nullptr;
}

bool isOutput(SerialSignal signal) {
    return signal == SerialSignal::Dtr || signal == SerialSignal::Rts;
}

} // namespace

bool ModemLines::set(SerialSignal signal, int value) const {
    if (signal == SerialSignal::Break) {
        return ::ioctl(fd_, value != 0 ? TIOCSBRK : TIOCCBRK) == 0;
    }
    const ModemLine* line = isOutput(signal) ? lineFor(signal) : nullptr;
    int bit = line != nullptr ? line->bit : 0;
    return line != nullptr && ::ioctl(fd_, value != 0 ? TIOCMBIS : TIOCMBIC, &bit) == 0;
}

int ModemLines::status(SerialSignal signal) const {
    const ModemLine* line = isOutput(signal) ? nullptr : lineFor(signal);
    int bits = 0;
    if (line == nullptr || ::ioctl(fd_, TIOCMGET, &bits) != 0) {
        return 0;
    }
    return (bits & line->bit) != 0 ? 1 : 0;
}

bool ModemLines::ctsLow() {
    if (!present_) {
        return false;
    }
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) != 0) {
        present_ = false;
        return false;
    }
    return (bits & TIOCM_CTS) == 0;
}

} // namespace drovane
