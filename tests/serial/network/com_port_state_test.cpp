#include "serial/network/com_port_state.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

using std::chrono::milliseconds;
using telnet::Control;

std::string one(int value) {
    std::string text;
    text.push_back(static_cast<char>(value));
    return text;
}

TEST(ComPortState, SettingsCountAsAcknowledgedOnlyWhenAllFiveAnswered) {
    ComPortState state;
    state.apply(101, std::string("\x00\x01\xC2\x00", 4));
    state.apply(102, one(8));
    state.apply(103, one(1));
    state.apply(104, one(1));
    EXPECT_FALSE(state.settingsAcknowledged());
    state.apply(105, one(8)); // DTR is no flow-control answer
    EXPECT_FALSE(state.settingsAcknowledged());
    state.apply(105, one(2));
    EXPECT_TRUE(state.settingsAcknowledged());
    EXPECT_EQ(state.acknowledgedBaudRate(), 115200U);
}

TEST(ComPortState, ModemAndLineStateAndSuspendFollowTheServer) {
    ComPortState state;
    state.apply(107, one(0x30));
    EXPECT_EQ(state.modemState(), 0x30);
    state.apply(106, one(0x02 | 0x08 | 0x60)); // overrun, framing, transmitter empty
    EXPECT_EQ(state.takeLineErrors(), SerialError::OverRun | SerialError::Frame);
    EXPECT_EQ(state.takeLineErrors(), SerialError::None);
    state.apply(106, one(0x14));
    EXPECT_EQ(state.takeLineErrors(), SerialError::RxParity | SerialError::Break);
    state.apply(108, "");
    EXPECT_TRUE(state.suspended());
    state.apply(109, "");
    EXPECT_FALSE(state.suspended());
}

// ser2net never answers DTR or RTS on a pseudo-terminal: that must be said
// once, and never stop the transfer.
TEST(ComPortState, AnUnansweredControlIsReportedOnceAfterItsDeadline) {
    ComPortState state;
    const LineClock::time_point start{std::chrono::hours(1)};
    state.expectControl(Control::RtsOff, start + milliseconds(1000));
    EXPECT_FALSE(state.takeUnansweredControl(start + milliseconds(999)));
    EXPECT_TRUE(state.takeUnansweredControl(start + milliseconds(1000)));
    EXPECT_FALSE(state.controlsPending());
    state.expectControl(Control::DtrOn, start + milliseconds(3000));
    EXPECT_FALSE(state.takeUnansweredControl(start + milliseconds(4000)));
    EXPECT_FALSE(state.controlsPending());
}

TEST(ComPortState, AnAnswerOfTheSameKindSettlesARequest) {
    ComPortState state;
    const LineClock::time_point start{std::chrono::hours(1)};
    state.expectControl(Control::DtrOn, start);
    state.expectControl(Control::RtsOn, start);
    state.apply(105, one(9)); // "DTR off" answers the DTR request
    state.apply(105, one(11));
    EXPECT_FALSE(state.controlsPending());
    EXPECT_FALSE(state.takeUnansweredControl(start + milliseconds(5000)));
}

} // namespace
} // namespace drovane
