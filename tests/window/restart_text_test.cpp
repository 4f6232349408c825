#include "window/restart_text.h"

#include <gtest/gtest.h>

#include <string>

using namespace drovane;

namespace {

LineIndex indexOf(std::string_view text) {
    LineIndex index;
    index.append(text);
    return index;
}

struct RestartCase {
    const char* name;
    std::string program;
    std::size_t line;
    std::string sent;
};

const RestartCase kRestarts[] = {
    {"percent and O number", "%\nO1234 (PART)\nN10 G0\nN20 G1\nN30 M30\n%\n", 4,
     "%\nO1234 (PART)\nN20 G1\nN30 M30\n%\n"},
    {"colon number, CR LF kept", ":1234\r\nN10\r\nN20\r\n", 3, ":1234\r\nN20\r\n"},
    {"plain text dialog", "0 BEGIN PGM P1 MM\n1 L X0\n2 L X5\n3 END PGM P1 MM\n", 3,
     "0 BEGIN PGM P1 MM\n2 L X5\n3 END PGM P1 MM\n"},
    {"percent alone", "%\nN10\nN20\n", 3, "%\nN20\n"},
    {"no head", "N10\nN20\nN30", 2, "N20\nN30"},
    {"first line is the whole", "%\nO1\nN10\n", 1, "%\nO1\nN10\n"},
    {"start inside the head", "%\nO1\nN10\n", 2, "%\nO1\nN10\n"},
    {"lines before the number", "(SETUP)\n%\nO77\nN5\nN6\n", 5, "(SETUP)\n%\nO77\nN6\n"},
    {"a lone O is no number", "O\nN1\nN2\n", 3, "N2\n"},
};

struct StartCase {
    SendStart start;
    std::optional<std::size_t> line;
};

const std::string kProgram = "%\nO1\nN10 G0\n  N20G1X5\n\tN30 M30\nN300\n";

const StartCase kStarts[] = {
    {{SendStart::Kind::Line, 1}, 1},
    {{SendStart::Kind::Line, 6}, 6},
    {{SendStart::Kind::Line, 7}, std::nullopt}, // the empty text after the last end
    {{SendStart::Kind::Line, 0}, std::nullopt},
    {{SendStart::Kind::Block, 10}, 3},
    {{SendStart::Kind::Block, 20}, 4}, // blanks before, address glued on behind
    {{SendStart::Kind::Block, 30}, 5},
    {{SendStart::Kind::Block, 300}, 6},
    {{SendStart::Kind::Block, 3}, std::nullopt},
    {{SendStart::Kind::Block, 1}, std::nullopt}, // O1 is no block
};

} // namespace

TEST(RestartText, HeadThenTheProgramFromTheChosenLine) {
    for (const RestartCase& c : kRestarts) {
        EXPECT_EQ(restartText(c.program, indexOf(c.program), c.line), c.sent) << c.name;
    }
}

TEST(RestartText, StartLineOfALineOrABlock) {
    const LineIndex index = indexOf(kProgram);
    for (const StartCase& c : kStarts) {
        const StartLine found = findStartLine(kProgram, index, c.start);
        EXPECT_EQ(found.line, c.line) << c.start.number;
        EXPECT_EQ(found.refusal.empty(), c.line.has_value()) << c.start.number;
    }
}

TEST(RestartText, RefusalsNameWhatWasAskedFor) {
    const LineIndex index = indexOf(kProgram);
    EXPECT_EQ(findStartLine(kProgram, index, {SendStart::Kind::Line, 9}).refusal,
              "Das Programm hat keine Zeile 9 (es hat 6 Zeilen).");
    EXPECT_EQ(findStartLine(kProgram, index, {SendStart::Kind::Block, 40}).refusal,
              "Der Satz N40 kommt im Programm nicht vor.");
}

TEST(RestartText, BlockWords) {
    EXPECT_EQ(blockNumber("N100"), 100U);
    EXPECT_EQ(blockNumber("n0100"), 100U);
    EXPECT_EQ(blockNumber("N20G1"), 20U);
    EXPECT_EQ(blockNumber("N"), std::nullopt);
    EXPECT_EQ(blockNumber("G100"), std::nullopt);
    EXPECT_EQ(blockNumber("100"), std::nullopt);
    EXPECT_EQ(blockNumber(""), std::nullopt);
}
