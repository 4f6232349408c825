// The system's socket against a listener in process: what ends its wait.

#include "loopback_listener.h"

#include "serial/network/tcp_socket.h"
#include "serial/wake_signal.h"

#include <gtest/gtest.h>

#include <thread>

namespace drovane {
namespace {

using std::chrono::milliseconds;

class TcpSocketWait : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(listener.port(), 0);
        std::thread accepting([this] { accepted = listener.accept(); });
        connected = TcpSocket::connect("127.0.0.1", listener.port(), milliseconds(5000), 4096);
        accepting.join();
        ASSERT_NE(connected.socket, nullptr);
        ASSERT_TRUE(accepted);
    }

    // The wait, with `cause` run from another thread once it has begun.
    SocketReadiness waitFor(const std::function<void()>& cause) {
        std::thread causing([&cause] {
            std::this_thread::sleep_for(milliseconds(100));
            cause();
        });
        const auto from = LineClock::now();
        const SocketReadiness ready =
            connected.socket->wait(false, from + std::chrono::seconds(30), &wake);
        EXPECT_LT(LineClock::now() - from, std::chrono::seconds(20)) << "not the deadline";
        causing.join();
        return ready;
    }

    LoopbackListener listener;
    bool accepted = false;
    ConnectedSocket connected;
    WakeSignal wake;
};

TEST_F(TcpSocketWait, EndsAtItsDeadlineWhenNothingCame) {
    const auto from = LineClock::now();
    const SocketReadiness ready = connected.socket->wait(false, from + milliseconds(50), &wake);
    EXPECT_FALSE(ready.readable);
    EXPECT_GE(LineClock::now() - from, milliseconds(50));
}

TEST_F(TcpSocketWait, EndsWithBytesAndTheyAreThere) {
    EXPECT_TRUE(waitFor([this] { listener.send("ab"); }).readable);
    char got[2] = {};
    EXPECT_EQ(connected.socket->receive(got, 2).count, 2U);
    EXPECT_EQ(std::string(got, 2), "ab");
}

TEST_F(TcpSocketWait, EndsOnTheWakeSignal) {
    EXPECT_FALSE(waitFor([this] { wake.set(); }).readable);
}

TEST_F(TcpSocketWait, EndsWhenThePeerHangsUpAndThatReadsAsBroken) {
    EXPECT_TRUE(waitFor([this] { listener.hangUp(); }).readable);
    char byte = 0;
    EXPECT_TRUE(connected.socket->receive(&byte, 1).broken);
}

} // namespace
} // namespace drovane
