#include "serial/receive_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace drovane {
namespace {

void accept(ReceiveQueue& queue, std::string_view bytes) {
    queue.accept(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string takeAll(ReceiveQueue& queue) {
    std::string out(queue.size(), '\0');
    out.resize(queue.take(reinterpret_cast<unsigned char*>(out.data()), out.size()));
    return out;
}

TEST(FlowLimits, AreATenthAndSevenTenthsAs16BitValues) {
    EXPECT_EQ(flowLimits(4096).xonLim, 409);
    EXPECT_EQ(flowLimits(4096).xoffLim, 2863);
    EXPECT_EQ(flowLimits(10).xonLim, 1);
    EXPECT_EQ(flowLimits(10).xoffLim, 7);
    for (const std::int32_t small : {9, 1, 0, -100}) {
        EXPECT_EQ(flowLimits(small).xonLim, 0) << small;
        EXPECT_EQ(flowLimits(small).xoffLim, 0) << small;
    }
    // 100000 -> 34464 (low 16 bits), 7 x 34464 -> 44640 (low 16 bits).
    EXPECT_EQ(flowLimits(1'000'000).xonLim, 34464);
    EXPECT_EQ(flowLimits(1'000'000).xoffLim, 44640);
}

TEST(InputQueueCapacity, TakesTheProfileSizeOnlyWhenBothSizesArePositive) {
    SerialSettings s;
    s.inputBufferSize = 300;
    s.outputBufferSize = 200;
    EXPECT_EQ(inputQueueCapacity(s), 300U);
    s.outputBufferSize = 0;
    EXPECT_EQ(inputQueueCapacity(s), kDriverInputQueue);
}

TEST(ReceiveQueue, SwallowsFlowCharactersAndTracksTheHoldInXonXoffMode) {
    ReceiveQueue queue(100, flowLimits(100), true);
    accept(queue, "ab\x13");
    EXPECT_TRUE(queue.heldByXoff());
    accept(queue, "cd\x11");
    EXPECT_FALSE(queue.heldByXoff());
    accept(queue, "\x13\x13\x11\x13");
    EXPECT_TRUE(queue.heldByXoff()); // the last one seen counts
    EXPECT_EQ(takeAll(queue), "abcd");

    queue.setFlowCharacters('+', '-');
    accept(queue, "x-\x13");
    EXPECT_TRUE(queue.heldByXoff());
    EXPECT_EQ(takeAll(queue), "x\x13");
}

TEST(ReceiveQueue, FlowCharactersAreDataWithoutSoftwareFlow) {
    ReceiveQueue queue(100, flowLimits(100), false);
    accept(queue, std::string_view("\x11\x13\0z", 4));
    EXPECT_FALSE(queue.heldByXoff());
    EXPECT_EQ(takeAll(queue), std::string_view("\x11\x13\0z", 4));
    EXPECT_FALSE(queue.flowCharacterDue());
}

TEST(ReceiveQueue, AsksForXoffWhenOnlyXoffLimIsFreeAndXonAtXonLim) {
    // 100 bytes: XonLim 10, XoffLim 70, so XOFF at 30 waiting, XON at 10.
    ReceiveQueue queue(100, flowLimits(100), true);
    accept(queue, std::string(29, 'a'));
    EXPECT_FALSE(queue.flowCharacterDue());
    accept(queue, "a");
    ASSERT_EQ(queue.flowCharacterDue(), kDefaultXoff);
    queue.flowCharacterSent(kDefaultXoff);
    EXPECT_TRUE(queue.xoffSent());
    EXPECT_FALSE(queue.flowCharacterDue());

    unsigned char sink[30];
    queue.take(sink, 19); // 11 left
    EXPECT_FALSE(queue.flowCharacterDue());
    queue.take(sink, 1); // 10 left
    ASSERT_EQ(queue.flowCharacterDue(), kDefaultXon);
    queue.flowCharacterSent(kDefaultXon);
    EXPECT_FALSE(queue.xoffSent());
}

TEST(ReceiveQueue, WithZeroLimitsPausesOnlyWhenFullAndResumesWhenEmpty) {
    ReceiveQueue queue(8, flowLimits(5), true);
    accept(queue, std::string(7, 'a'));
    EXPECT_FALSE(queue.flowCharacterDue());
    accept(queue, "a");
    ASSERT_EQ(queue.flowCharacterDue(), kDefaultXoff);
    queue.flowCharacterSent(kDefaultXoff);
    unsigned char sink[8];
    queue.take(sink, 7);
    EXPECT_FALSE(queue.flowCharacterDue());
    queue.take(sink, 1);
    EXPECT_EQ(queue.flowCharacterDue(), kDefaultXon);
}

TEST(ReceiveQueue, DropsDataBeyondCapacityAndReportsItOnce) {
    ReceiveQueue queue(4, flowLimits(4), true);
    accept(queue, "abcdef\x13");
    EXPECT_EQ(queue.size(), 4U);
    EXPECT_TRUE(queue.heldByXoff()); // flow characters still count when full
    EXPECT_TRUE(queue.takeOverflow());
    EXPECT_FALSE(queue.takeOverflow());
    EXPECT_EQ(takeAll(queue), "abcd");
}

} // namespace
} // namespace drovane
