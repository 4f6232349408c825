#include "machine/delayed_line.h"
#include "machine/machine_input_buffer.h"
#include "machine/machine_messages.h"
#include "machine/machine_program.h"
#include "serial/character_frame.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace drovane {
namespace {

using std::chrono::milliseconds;
using namespace std::string_literals;

SerialSettings frame(std::uint8_t dataBits, std::uint8_t parity, double stopBits) {
    SerialSettings s;
    s.dataBits = dataBits;
    s.parity = parity;
    s.stopBits = stopBits;
    return s;
}

TEST(CharacterFrame, CountsStartDataParityAndStopBits) {
    EXPECT_DOUBLE_EQ(characterBits(frame(8, 0, 1.0)), 10.0); // 8N1
    EXPECT_DOUBLE_EQ(characterBits(frame(7, 2, 1.0)), 10.0); // 7E1
    EXPECT_DOUBLE_EQ(characterBits(frame(8, 2, 1.0)), 11.0); // 8E1
    EXPECT_DOUBLE_EQ(characterBits(frame(8, 0, 2.0)), 11.0); // 8N2
    EXPECT_DOUBLE_EQ(characterBits(frame(7, 1, 2.0)), 11.0); // 7O2
    EXPECT_DOUBLE_EQ(characterBits(frame(8, 0, 1.5)), 10.5);
    EXPECT_DOUBLE_EQ(characterBits(frame(8, 0, 3.0)), 10.5); // as the port reads it
    // 11 bits at 110 baud is a tenth of a second; ten times faster at speed 10.
    EXPECT_EQ(characterTime(frame(8, 0, 2.0), 110), milliseconds(100));
    EXPECT_EQ(characterTime(frame(8, 0, 2.0), 110, 10.0), milliseconds(10));
}

TEST(DelayedLine, FollowsAfterTheDelayAndForgetsAFlicker) {
    const LineClock::time_point t0{};
    DelayedLine line(milliseconds(50));
    EXPECT_FALSE(line.follow(true, t0));
    ASSERT_TRUE(line.nextChange().has_value());
    EXPECT_EQ(*line.nextChange(), t0 + milliseconds(50));
    EXPECT_FALSE(line.follow(true, t0 + milliseconds(49)));
    EXPECT_TRUE(line.follow(true, t0 + milliseconds(50)));
    EXPECT_FALSE(line.nextChange().has_value());
    // Down and up again within the delay: the copy never drops.
    EXPECT_TRUE(line.follow(false, t0 + milliseconds(60)));
    EXPECT_TRUE(line.follow(true, t0 + milliseconds(70)));
    EXPECT_FALSE(line.nextChange().has_value());
    EXPECT_TRUE(line.follow(true, t0 + milliseconds(200)));
    EXPECT_TRUE(line.follow(false, t0 + milliseconds(300)));
    EXPECT_FALSE(line.follow(false, t0 + milliseconds(350)));
}

TEST(MachineInputBuffer, FillsAtLineSpeedAndDrainsAtItsPace) {
    const LineClock::time_point t0{};
    MachineInputBuffer buffer(256, 1000.0); // a byte a millisecond
    buffer.reset(t0, 1000.0);
    for (int i = 0; i < 256; ++i) {
        EXPECT_TRUE(buffer.accept(t0)) << i;
    }
    EXPECT_FALSE(buffer.accept(t0)); // full: lost
    EXPECT_DOUBLE_EQ(buffer.level(t0), 256.0);
    // Half a byte worked off still occupies its place.
    EXPECT_FALSE(buffer.accept(t0 + std::chrono::microseconds(500)));
    EXPECT_TRUE(buffer.accept(t0 + milliseconds(1)));
    EXPECT_DOUBLE_EQ(buffer.level(t0 + milliseconds(1)), 256.0);
    EXPECT_EQ(buffer.fallsTo(50.0), t0 + milliseconds(207));
    EXPECT_NEAR(buffer.level(t0 + milliseconds(207)), 50.0, 1e-6);
    EXPECT_DOUBLE_EQ(buffer.level(t0 + milliseconds(1000)), 0.0);
    // An arrival dated before the last one counts at the last one's time.
    EXPECT_TRUE(buffer.accept(t0 + milliseconds(1000)));
    EXPECT_TRUE(buffer.accept(t0));
    EXPECT_DOUBLE_EQ(buffer.level(t0 + milliseconds(1000)), 2.0);
}

TEST(MachineProgram, KeepsTheTextBetweenLeaderAndTrailer) {
    EXPECT_EQ(keptProgram("\0\0\0O1\nM30\n\0\0"s), "O1\nM30\n");
    EXPECT_EQ(keptProgram("O1\0X\n"s), "O1\0X\n"s); // inside the program: kept
    EXPECT_EQ(keptProgram("\0\0"s), "");
    EXPECT_EQ(keptProgram(""), "");
}

TEST(MachineProgram, PunchesLeaderProgramTrailerAndEndCharacter) {
    const std::string image = punchImage("O1\n", 0x04);
    EXPECT_EQ(image, std::string(20, '\0') + "O1\n" + std::string(20, '\0') + "\x04");
    EXPECT_EQ(keptProgram(image.substr(0, image.size() - 1)), "O1\n");
}

TEST(MachineProgram, NamesTheProgramByItsNumber) {
    EXPECT_EQ(programName("%\nO0001 (TEIL)\nG0 X0\n"), "O0001");
    EXPECT_EQ(programName("%\n  :1234\n"), "O1234");
    EXPECT_EQ(programName("G0 X0 O12\nOX\nO\n"), "");
    EXPECT_EQ(programName(""), "");
    EXPECT_EQ(programName(sampleProgram()), "O1000");
}

TEST(MachineMessages, StoredAndPunchLines) {
    EXPECT_EQ(machine_text::stored("O0001", 120, 0),
              "Virtuelle Maschine: Programm O0001 gespeichert, 120 Bytes.");
    EXPECT_EQ(machine_text::stored("", 7, 36),
              "Virtuelle Maschine: Programm ohne Nummer gespeichert, 7 Bytes, 36 Bytes "
              "verloren (Pufferüberlauf).");
    EXPECT_EQ(machine_text::punching("O1000", 99, true),
              "Virtuelle Maschine: Ausgabe von Beispielprogramm O1000 beginnt, 99 Bytes.");
    EXPECT_EQ(machine_text::punching("O0001", 5, false),
              "Virtuelle Maschine: Ausgabe von Programm O0001 beginnt, 5 Bytes.");
}

} // namespace
} // namespace drovane
