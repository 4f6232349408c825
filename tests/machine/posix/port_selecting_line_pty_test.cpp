// Linux only: the device end of the choice is a pseudo-terminal.

#include "core/unique_fd.h"
#include "machine/port_selecting_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <unistd.h>

namespace drovane {
namespace {

SerialSettings named(std::string port) {
    SerialSettings s;
    s.portName = std::move(port);
    s.baudRate = 9600;
    return s;
}

TEST(PortSelectingLine, VirtuellOpensTheMachineAndOtherNamesADevice) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const UniqueFd masterFd(master);
    const std::string device = ::ttyname(slave);
    ::close(slave);

    PortSelectingLine ports(20.0);
    const int virtualId = ports.open(named("VIRTUELL"));
    ASSERT_NE(virtualId, 0);
    EXPECT_EQ(ports.open(named("VIRTUELL")), 0); // one port at a time
    EXPECT_EQ(ports.lastOpenFailure(), OpenFailure::InUse);
    EXPECT_EQ(ports.open(named("virtuell")), 0); // an ordinary name: no such device
    EXPECT_EQ(ports.lastOpenFailure(), OpenFailure::NoSuchPort);
    EXPECT_EQ(ports.open(named("/nonexistent/ttyS9")), 0);
    // The reason is the one of the back end the name chose.
    EXPECT_EQ(ports.open(named("VIRTUELL")), 0);
    EXPECT_EQ(ports.lastOpenFailure(), OpenFailure::InUse);

    const int deviceId = ports.open(named(device));
    ASSERT_NE(deviceId, 0);
    ASSERT_NE(deviceId, virtualId);
    // Each identifier reaches its own back end: the byte shows up on the pty.
    ASSERT_EQ(ports.setTimeouts(deviceId, 100, 100, 10, 10, 100), 1);
    EXPECT_EQ(ports.write(deviceId, "Q", 1), 1);
    pollfd entry{master, POLLIN, 0};
    ASSERT_EQ(::poll(&entry, 1, 5000), 1);
    char byte = 0;
    EXPECT_EQ(::read(master, &byte, 1), 1);
    EXPECT_EQ(byte, 'Q');
    // The wait for input reaches the back end that holds the bytes.
    ASSERT_EQ(::write(master, "R", 1), 1);
    EXPECT_TRUE(ports.waitForInput(deviceId, std::chrono::milliseconds(30000)));
    EXPECT_FALSE(ports.waitForInput(virtualId, std::chrono::milliseconds(20)));
    EXPECT_FALSE(ports.waitForInput(0, std::chrono::milliseconds(30000)));
    EXPECT_EQ(ports.setSignal(virtualId, SerialSignal::Rts, 1), 1);
    EXPECT_EQ(ports.write(virtualId, "", 0), 0);

    ports.close(deviceId);
    EXPECT_EQ(ports.write(deviceId, "Q", 1), 0);
    EXPECT_EQ(ports.setSignal(virtualId, SerialSignal::Dtr, 1), 1); // still open
    ports.close(virtualId);
    EXPECT_EQ(ports.setSignal(virtualId, SerialSignal::Dtr, 1), 0);
    EXPECT_EQ(ports.takeErrors(virtualId), SerialError::None);
    EXPECT_EQ(ports.inputWaiting(0), 0);
    // Closed, the name opens again.
    const int again = ports.open(named("VIRTUELL"));
    EXPECT_NE(again, 0);
    EXPECT_NE(again, virtualId);
}

} // namespace
} // namespace drovane
