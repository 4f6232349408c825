// The small pieces the jobs are built of: sentences filled in, the length of
// a send's runs and the timeouts that go with them, a reception's gathering.

#include "serial/character_frame.h"
#include "serial/flow_control.h"
#include "transfer/chunk_gathering.h"
#include "transfer/job_messages.h"
#include "transfer/job_timeouts.h"
#include "transfer/send_run.h"
#include "transfer/sentence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace drovane {
namespace {

TEST(Sentence, FillPutsTheValueWhereThePlaceholderStands) {
    EXPECT_EQ(fill(messages::kSent, 18), "Übertragung beendet. 18 Bytes gesendet.");
    EXPECT_EQ(fill(messages::kOpened, 7), "serielle Schnittstelle geöffnet (7)");
    EXPECT_EQ(fill(messages::kReceived, 0), "0 Bytes empfangen.");
    EXPECT_EQ(fill(messages::kEndedByChar, "04"), "Programmübertragung durch EOF<04> beendet.");
    // A value that itself reads "{}" is not filled again.
    EXPECT_EQ(fill("a{}b", "{}"), "a{}b");
    EXPECT_EQ(fill("ohne Platz", 3), "ohne Platz");
}

TEST(Sentence, FitsOnlyTheSentenceWithSomethingInPlace) {
    struct Case {
        std::string line;
        bool fits;
    };
    const std::vector<Case> cases{
        {"Übertragung beendet. 5 Bytes gesendet.", true},
        {"Übertragung beendet.  Bytes gesendet.", true},
        {"Übertragung beendet. 5 Bytes", false},
        {"Übertragung beendet.", false},
        {"Fehler! Übertragung beendet. 5 Bytes gesendet.", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitsSentence(c.line, messages::kSent), c.fits) << c.line;
    }
}

TEST(SendRun, IsWhatTheLineCarriesInFiftyMillisecondsWithinOneAndTheBuffer) {
    struct Case {
        std::int32_t baud;
        std::uint8_t parity;
        double stopBits;
        std::size_t run;
        std::uint32_t wireMs;
    };
    const std::vector<Case> cases{
        {300, 0, 1.0, 1, 34},   {600, 0, 1.0, 3, 50},      {9600, 0, 1.0, 48, 50},
        {9600, 2, 2.0, 40, 50}, {115200, 0, 1.0, 576, 50}, {4'000'000, 0, 1.0, 1024, 3},
        {0, 0, 1.0, 1, 10000}, // counts as 1 baud
    };
    for (const Case& c : cases) {
        SerialSettings settings;
        settings.baudRate = c.baud;
        settings.parity = c.parity;
        settings.stopBits = c.stopBits;
        const std::size_t run = sendRunLength(settings);
        EXPECT_EQ(run, c.run) << c.baud;
        EXPECT_EQ(wireMilliseconds(settings, run), c.wireMs) << c.baud;
    }
}

TEST(ChunkGathering, LetsFarLessGatherThanTheXoffLevelAndTheDefaultQueueItsLongest) {
    for (const std::int32_t baud : {300, 9600, 115200, 921'600, 4'000'000}) {
        for (const std::int32_t queue : {0, 10, 100, 4096, 65536}) {
            SerialSettings settings;
            settings.baudRate = baud;
            settings.inputBufferSize = queue;
            settings.outputBufferSize = queue;
            const double gathered =
                std::chrono::duration<double>(chunkGathering(settings)).count() * baud /
                characterBits(settings);
            EXPECT_LE(gathered, 0.3 * static_cast<double>(inputQueueCapacity(settings)))
                << baud << " baud, queue " << queue;
        }
    }
    SerialSettings usual;
    usual.baudRate = 115200;
    EXPECT_EQ(chunkGathering(usual), kLongestGathering);
}

TEST(JobTimeouts, AWriteGetsTheOperatorsTimeoutAfterItsRunAndReadsTheirs) {
    const SerialTimeouts send = sendTimeouts(300, 50);
    EXPECT_EQ(send.readInterval, 100U);
    EXPECT_EQ(send.readTotalConstant, 100U);
    EXPECT_EQ(send.readTotalMultiplier, 100U);
    EXPECT_EQ(send.writeTotalConstant, 360U);
    EXPECT_EQ(send.writeTotalMultiplier, 0U);

    const SerialTimeouts receive = receiveTimeouts(250);
    EXPECT_EQ(receive.readInterval, 250U);
    EXPECT_EQ(receive.readTotalConstant, 250U);
    EXPECT_EQ(receive.readTotalMultiplier, 100U);
    EXPECT_EQ(receive.writeTotalConstant, 10U);
    EXPECT_EQ(receive.writeTotalMultiplier, 100U);
}

} // namespace
} // namespace drovane
