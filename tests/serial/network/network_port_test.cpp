// The network port against a server in process: the COM port negotiation,
// Telnet commands split across reads, a server that stops reading, a reset.

#include "scripted_server.h"

#include "serial/abort_request.h"
#include "serial/network/network_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace drovane {
namespace {

using telnet::ComPortCommand;

class NetworkPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.portName = "rfc2217://server:2217";
        settings.baudRate = 4'000'000; // the pace never holds here
        settings.handshake = Handshake::XonXoff;
    }

    OpenedNetworkPort open(NetworkProtocol protocol = NetworkProtocol::Rfc2217) {
        auto opened =
            NetworkPort::over(std::make_unique<ScriptedSocket>(script), settings, protocol);
        if (opened.port) {
            opened.port->setTimeouts(SerialTimeouts{0, 50, 0, 50, 0});
            opened.port->watchNotices(&notices);
        }
        return opened;
    }

    bool sentCommand(ComPortCommand command) const {
        return std::any_of(script->commands.begin(), script->commands.end(),
                           [command](const telnet::TelnetEvent& event) {
                               return event.command == static_cast<unsigned char>(command);
                           });
    }

    std::shared_ptr<ServerScript> script = std::make_shared<ServerScript>();
    SerialSettings settings;
    std::vector<std::string> said;
    LogSink notices = [this](std::string_view line) {
        said.emplace_back(line);
    };
};

TEST_F(NetworkPortTest, OpensOnceTheServerTakesTheOptionAndSetsItsPort) {
    const auto opened = open();
    ASSERT_NE(opened.port, nullptr);
    EXPECT_TRUE(sentCommand(ComPortCommand::SetBaudRate));
    EXPECT_TRUE(sentCommand(ComPortCommand::SetControl));
    EXPECT_EQ(script->data, ""); // nothing of the negotiation counts as data
}

TEST_F(NetworkPortTest, RefusesAServerWithoutTheOption) {
    script->takesComPort = false;
    const auto opened = open();
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_EQ(opened.failure, OpenFailure::NoComPortControl);
}

TEST_F(NetworkPortTest, TakesCommandsAndDoubledBytesSplitAcrossReads) {
    const auto opened = open();
    ASSERT_NE(opened.port, nullptr);
    script->readSize = 1;
    script->toPort = "A\xFF\xFF"
                     "B" +
                     serverCommand(ComPortCommand::NotifyModemState,
                                   std::string(1, static_cast<char>(telnet::kModemDsr))) +
                     "C";
    std::string got(4, '\0');
    got.resize(opened.port->read(reinterpret_cast<unsigned char*>(got.data()), got.size()));
    EXPECT_EQ(got, "A\xFF"
                   "BC");
    EXPECT_EQ(opened.port->getSignal(SerialSignal::Dsr), 1);
    EXPECT_EQ(opened.port->getSignal(SerialSignal::Cts), 0);
}

// The wait reads the socket for the notification and keeps the data bytes
// before it for the reads.
TEST_F(NetworkPortTest, AwaitSignalEndsAtTheModemStateNotificationOrAnAbort) {
    const auto opened = open();
    ASSERT_NE(opened.port, nullptr);
    AbortRequest abort;
    abort.raise();
    EXPECT_FALSE(opened.port->awaitSignal(SerialSignal::Dsr, true, abort));
    abort.clear();
    script->readSize = 1;
    script->toPort = "AB" + serverCommand(ComPortCommand::NotifyModemState,
                                          std::string(1, static_cast<char>(telnet::kModemDsr)));
    EXPECT_TRUE(opened.port->awaitSignal(SerialSignal::Dsr, true, abort));
    EXPECT_TRUE(opened.port->awaitSignal(SerialSignal::Cts, false, abort));
    std::string got(2, '\0');
    got.resize(opened.port->read(reinterpret_cast<unsigned char*>(got.data()), got.size()));
    EXPECT_EQ(got, "AB");
}

TEST_F(NetworkPortTest, DoublesDataBytesThatLookLikeCommands) {
    const auto opened = open();
    ASSERT_NE(opened.port, nullptr);
    const std::string bytes = "G1\xFFX2";
    EXPECT_EQ(
        opened.port->write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()),
        bytes.size());
    opened.port->drain();
    EXPECT_EQ(script->data, bytes);
}

// No XOFF came from the machine: the log must not claim one.
TEST_F(NetworkPortTest, AServerThatStopsReadingIsAFullQueueNoXoff) {
    const auto opened = open();
    ASSERT_NE(opened.port, nullptr);
    script->reading = false;
    const std::string bytes(8192, 'x');
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_LT(
            opened.port->write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()),
            bytes.size());
        const SerialError errors = opened.port->takeErrors();
        EXPECT_TRUE(hasFlag(errors, SerialError::TxFull));
        EXPECT_FALSE(hasFlag(errors, SerialError::XoffReceived));
    }
    EXPECT_EQ(said.size(), 1U) << "said once per hold";
}

TEST_F(NetworkPortTest, AWaitForInputEndsOnAWatchedAbort) {
    const auto opened = open();
    ASSERT_NE(opened.port, nullptr);
    AbortRequest abort;
    opened.port->watchAbort(&abort);
    abort.raise();
    const auto from = LineClock::now();
    EXPECT_FALSE(opened.port->awaitInput(std::chrono::seconds(30)));
    EXPECT_LT(LineClock::now() - from, std::chrono::seconds(20));
    opened.port->watchAbort(nullptr);
}

TEST_F(NetworkPortTest, AResetIsOneIoErrorAndEndsReadsAndWrites) {
    const auto opened = open(NetworkProtocol::RawSocket);
    ASSERT_NE(opened.port, nullptr);
    script->reset = true;
    unsigned char byte = 'x';
    EXPECT_EQ(opened.port->read(&byte, 1), 0U);
    EXPECT_EQ(opened.port->write(&byte, 1), 0U);
    EXPECT_TRUE(opened.port->awaitInput(std::chrono::seconds(5)));
    EXPECT_TRUE(hasFlag(opened.port->takeErrors(), SerialError::IOE));
}

} // namespace
} // namespace drovane
