#include "serial/network/com_port_state.h"

#include <algorithm>
#include <array>
#include <utility>

namespace drovane {

namespace {

using telnet::ComPortCommand;
using telnet::Control;

constexpr unsigned kBaudAcknowledged = 1U << 0U;
constexpr unsigned kDataSizeAcknowledged = 1U << 1U;
constexpr unsigned kParityAcknowledged = 1U << 2U;
constexpr unsigned kStopSizeAcknowledged = 1U << 3U;
constexpr unsigned kFlowAcknowledged = 1U << 4U;
constexpr unsigned kAllAcknowledged = 0x1FU;

unsigned char answerCode(ComPortCommand command) {
    return static_cast<unsigned char>(static_cast<unsigned char>(command) + telnet::kServerOffset);
}

struct LineErrorBit {
    unsigned char bit;
    SerialError flag;
};

constexpr std::array<LineErrorBit, 4> kLineErrorBits{{
    {telnet::kLineOverrun, SerialError::OverRun},
    {telnet::kLineParity, SerialError::RxParity},
    {telnet::kLineFraming, SerialError::Frame},
    {telnet::kLineBreak, SerialError::Break},
}};

// The values of SET-CONTROL that answer the same question: a server may
// answer "DTR on" with "DTR off" when that is what it did.
int controlGroup(unsigned char value) {
    if (value <= static_cast<unsigned char>(Control::HardwareFlowControl)) {
        return 0;
    }
    if (value <= static_cast<unsigned char>(Control::BreakOff)) {
        return 1;
    }
    if (value <= static_cast<unsigned char>(Control::DtrOff)) {
        return 2;
    }
    if (value <= static_cast<unsigned char>(Control::RtsOff)) {
        return 3;
    }
    return 4;
}

} // namespace

void ComPortState::apply(unsigned char serverCommand, const std::string& value) {
    const auto first = value.empty() ? 0 : static_cast<unsigned char>(value.front());
    if (serverCommand == answerCode(ComPortCommand::SetBaudRate) && value.size() == 4) {
        baudRate_ = 0;
        for (const char byte : value) {
            baudRate_ = (baudRate_ << 8U) | static_cast<unsigned char>(byte);
        }
        acknowledged_ |= kBaudAcknowledged;
    } else if (serverCommand == answerCode(ComPortCommand::SetDataSize)) {
        acknowledged_ |= kDataSizeAcknowledged;
    } else if (serverCommand == answerCode(ComPortCommand::SetParity)) {
        acknowledged_ |= kParityAcknowledged;
    } else if (serverCommand == answerCode(ComPortCommand::SetStopSize)) {
        acknowledged_ |= kStopSizeAcknowledged;
    } else if (serverCommand == answerCode(ComPortCommand::SetControl) && !value.empty()) {
        answerControl(first);
    } else if (serverCommand == answerCode(ComPortCommand::NotifyModemState) && !value.empty()) {
        modemState_ = first;
    } else if (serverCommand == answerCode(ComPortCommand::NotifyLineState) && !value.empty()) {
        for (const LineErrorBit& entry : kLineErrorBits) {
            if ((first & entry.bit) != 0) {
                lineErrors_ |= entry.flag;
            }
        }
    } else if (serverCommand == answerCode(ComPortCommand::FlowControlSuspend)) {
        suspended_ = true;
    } else if (serverCommand == answerCode(ComPortCommand::FlowControlResume)) {
        suspended_ = false;
    }
}

void ComPortState::answerControl(unsigned char value) {
    const int group = controlGroup(value);
    if (group == 0) {
        acknowledged_ |= kFlowAcknowledged;
    }
    std::erase_if(pendingControls_, [group](const PendingControl& pending) {
        return controlGroup(static_cast<unsigned char>(pending.control)) == group;
    });
}

void ComPortState::expectControl(Control control, LineClock::time_point deadline) {
    pendingControls_.push_back({control, deadline});
}

bool ComPortState::takeUnansweredControl(LineClock::time_point now) {
    const auto overdue = [now](const PendingControl& pending) {
        return now >= pending.deadline;
    };
    if (std::none_of(pendingControls_.begin(), pendingControls_.end(), overdue)) {
        return false;
    }
    std::erase_if(pendingControls_, overdue);
    if (unansweredReported_) {
        return false;
    }
    unansweredReported_ = true;
    return true;
}

bool ComPortState::settingsAcknowledged() const {
    return acknowledged_ == kAllAcknowledged;
}

SerialError ComPortState::takeLineErrors() {
    return std::exchange(lineErrors_, SerialError::None);
}

namespace {

struct ModemBit {
    SerialSignal signal;
    unsigned char bit;
};

constexpr std::array<ModemBit, 4> kModemBits{{
    {SerialSignal::Cts, telnet::kModemCts},
    {SerialSignal::Dsr, telnet::kModemDsr},
    {SerialSignal::Ring, telnet::kModemRing},
    {SerialSignal::Rlsd, telnet::kModemRlsd},
}};

} // namespace

std::optional<int> ComPortState::modemLine(SerialSignal signal) const {
    const auto* entry =
        std::find_if(kModemBits.begin(), kModemBits.end(),
                     [signal](const ModemBit& bit) { return bit.signal == signal; });
    if (entry == kModemBits.end()) {
        return std::nullopt;
    }
    return (modemState_ & entry->bit) != 0 ? 1 : 0;
}

} // namespace drovane
