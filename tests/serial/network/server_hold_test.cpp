// What a write that gave up held reports: CTS only where the profile says
// the server's hold is one, a full queue otherwise, the operator told once.

#include "serial/network/server_hold.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

using By = ServerHold::By;

struct HoldCase {
    const char* name;
    Handshake handshake;
    By by;
    bool told;
    SerialError reported;
};

TEST(ServerHold, ReportsEachHoldAsTheProfileTellsIt) {
    const HoldCase cases[] = {
        {"server, RTS/CTS", Handshake::RtsCts, By::Server, true, SerialError::WaitingCTS},
        {"server, XON/XOFF", Handshake::XonXoff, By::Server, true, SerialError::TxFull},
        {"server, none", Handshake::NoHandshake, By::Server, true, SerialError::TxFull},
        {"pace", Handshake::RtsCts, By::Pace, false, SerialError::TxFull},
        {"XOFF", Handshake::XonXoff, By::Xoff, false, SerialError::None},
    };
    for (const HoldCase& c : cases) {
        ServerHold hold(c.handshake);
        EXPECT_EQ(hold.gaveUp(c.by), c.told) << c.name;
        EXPECT_FALSE(hold.gaveUp(c.by)) << c.name << ": told once a hold";
        EXPECT_EQ(hold.take(false), c.reported) << c.name;
        EXPECT_FALSE(hasFlag(hold.take(false), SerialError::TxFull)) << c.name << ": once";
        hold.released();
        EXPECT_EQ(hold.take(false), SerialError::None) << c.name;
        EXPECT_EQ(hold.gaveUp(c.by), c.told) << c.name << ": a new hold is told again";
    }
}

TEST(ServerHold, ASuspendedServerIsCtsOnlyUnderRtsCts) {
    EXPECT_EQ(ServerHold(Handshake::RtsCts).take(true), SerialError::WaitingCTS);
    EXPECT_EQ(ServerHold(Handshake::XonXoff).take(true), SerialError::None);
}

} // namespace
} // namespace drovane
