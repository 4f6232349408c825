#include "window/send_follow.h"

#include <gtest/gtest.h>

using namespace drovane;

TEST(SendFollow, TheSentLineIsFoundInTheProgram) {
    const struct {
        const char* name;
        SendFollow follow;
        std::size_t sentLine;
        std::size_t programLine;
    } cases[] = {
        {"whole program", SendFollow("", 0, 1), 7, 7},
        {"begin string first", SendFollow("B", 0, 1), 7, 6},
        {"begin string itself", SendFollow("B", 0, 1), 0, 0},
        {"head line", SendFollow("", 2, 100), 1, 1},
        {"first line after the head", SendFollow("", 2, 100), 2, 99},
        {"later line", SendFollow("", 2, 100), 12, 109},
        {"begin string and head", SendFollow("B", 2, 100), 3, 99},
        {"no head", SendFollow("", 0, 100), 0, 99},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.follow.programLine(c.sentLine), c.programLine) << c.name;
    }
}

TEST(SendFollow, RemainingTimeAtTheLineRate) {
    SerialSettings settings;
    settings.baudRate = 9600;
    settings.dataBits = 8;
    settings.stopBits = 1;
    // 10 bits a character: 960 characters a second.
    EXPECT_EQ(remainingTimeText(960 * 754, settings), "Restzeit 12:34");
    EXPECT_EQ(remainingTimeText(0, settings), "Restzeit 0:00");
    EXPECT_EQ(remainingTimeText(1, settings), "Restzeit 0:01") << "a started second counts";
    EXPECT_EQ(remainingTimeText(960 * 3723, settings), "Restzeit 1:02:03");
    settings.dataBits = 7;
    settings.parity = 2;
    settings.stopBits = 2;
    settings.baudRate = 1100; // 11 bits: 100 characters a second
    EXPECT_EQ(remainingTimeText(100 * 61, settings), "Restzeit 1:01");
}
