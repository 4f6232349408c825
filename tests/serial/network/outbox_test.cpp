// The batching of bytes for a device server and the pace that keeps them a
// short lead ahead of its serial side, on a made-up clock.

#include "scripted_server.h"

#include "serial/network/outbox.h"
#include "serial/network/wire_pace.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

using std::chrono::milliseconds;

const LineClock::time_point kStart{std::chrono::hours(1)};

TEST(Outbox, GoesAsOneSegmentOnceABatchIsFullOrItsWindowHasPassed) {
    auto script = std::make_shared<ServerScript>();
    ScriptedSocket socket(script);
    Outbox outbox(4);
    outbox.addData(reinterpret_cast<const unsigned char*>("ab\xFF"), 3, false, kStart);
    EXPECT_FALSE(outbox.due(kStart + milliseconds(19)));
    EXPECT_TRUE(outbox.due(kStart + Outbox::kBatchWindow));
    outbox.addData(reinterpret_cast<const unsigned char*>("\xFF"), 1, true, kStart);
    EXPECT_EQ(outbox.size(), 5U); // 0xFF doubled where it would be a command
    EXPECT_TRUE(outbox.due(kStart));
    EXPECT_TRUE(outbox.flush(socket, kStart));
    EXPECT_EQ(outbox.sendCalls(), 1U);
    EXPECT_TRUE(outbox.empty());

    script->reset = true;
    outbox.add("x", kStart);
    EXPECT_FALSE(outbox.flush(socket, kStart)) << "a reset connection";
}

TEST(Outbox, HoldsAtItsLargestBatch) {
    Outbox outbox(Outbox::kLargestBatch);
    const std::string bytes(Outbox::kLargestBatch - 1, 'x');
    outbox.add(bytes, kStart);
    EXPECT_EQ(outbox.room(), 1U);
    outbox.add("y", kStart);
    EXPECT_TRUE(outbox.full());
}

TEST(WirePace, StaysAtMostItsLeadAheadOfTheLine) {
    const LineClock::duration character = milliseconds(1); // 10,000 baud
    WirePace pace(character, kStart);
    EXPECT_EQ(pace.room(kStart), 51U); // 50 ms of lead, and the byte under way
    pace.handedOver(60, kStart);
    EXPECT_TRUE(pace.ahead(kStart));
    EXPECT_EQ(pace.onTheWire(kStart + milliseconds(20)), 40U);
    EXPECT_FALSE(pace.ahead(kStart + milliseconds(10)));
    EXPECT_EQ(pace.roomFor(20), kStart + milliseconds(30));
    EXPECT_EQ(pace.bytesIn(milliseconds(20), 1024), 20U);
    EXPECT_EQ(WirePace(std::chrono::seconds(1), kStart).bytesIn(milliseconds(20), 1024), 1U);
}

} // namespace
} // namespace drovane
