#include "transfer/transmit_text.h"

#include <gtest/gtest.h>

#include <string>

using drovane::prepareTransmitText;
using drovane::TransmitOptions;

namespace {

std::string everyByte() {
    std::string bytes;
    for (int c = 0; c < 256; ++c) {
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

TransmitOptions lineEnds(std::string afterLine) {
    TransmitOptions options;
    options.afterLine = std::move(afterLine);
    return options;
}

TransmitOptions endCode(std::string code) {
    TransmitOptions options;
    options.afterEndCode = std::move(code);
    return options;
}

} // namespace

TEST(PrepareTransmitText, WithNothingActiveLeavesEveryByteAsItIs) {
    const std::string text = everyByte() + "%\r\nN10 M02\nM30\r\r\n" + everyByte();
    EXPECT_EQ(prepareTransmitText(text, {}), text);
    EXPECT_EQ(prepareTransmitText("", {}), "");
}

TEST(PrepareTransmitText, PercentFilterRemovesOnlyThePercentSign) {
    TransmitOptions options;
    options.percentFilter = true;
    std::string expected = everyByte();
    expected.erase(0x25, 1);
    EXPECT_EQ(prepareTransmitText(everyByte(), options), expected);
    EXPECT_EQ(prepareTransmitText("%%O1%\n%", options), "O1\n");
}

TEST(PrepareTransmitText, ControlFilterKeepsLineEndsAndNul) {
    TransmitOptions options;
    options.controlFilter = true;
    std::string expected;
    expected.push_back('\0');
    expected += "\n\r";
    expected += everyByte().substr(0x20);
    EXPECT_EQ(prepareTransmitText(everyByte(), options), expected);
    EXPECT_EQ(prepareTransmitText("G0\tX1\x11\x13\x04\f\r\n", options), "G0X1\r\n");
}

TEST(PrepareTransmitText, FiveLineProgramWithPercentFilterOnly) {
    TransmitOptions options;
    options.percentFilter = true;
    const std::string sent = prepareTransmitText("%\nO0001\nG0 X0\nM30\n%\n", options);
    EXPECT_EQ(sent, "\nO0001\nG0 X0\nM30\n\n");
    EXPECT_EQ(sent.size(), 18U);
}

TEST(PrepareTransmitText, LineEndStringGoesBeforeLfOrBeforeItsCr) {
    const TransmitOptions options = lineEnds(";");
    EXPECT_EQ(prepareTransmitText("A\nB\r\nC", options), "A;\nB;\r\nC");
    EXPECT_EQ(prepareTransmitText("\nA", options), ";\nA");           // LF without predecessor
    EXPECT_EQ(prepareTransmitText("\n\n", options), ";\n;\n");        // LF before LF is no CR
    EXPECT_EQ(prepareTransmitText("A\r\r\nB", options), "A\r;\r\nB"); // only the CR next to LF
    EXPECT_EQ(prepareTransmitText("A\rB\rC", options), "A\rB\rC");    // lone CRs end no line
    EXPECT_EQ(prepareTransmitText("no line end", options), "no line end");
    EXPECT_EQ(prepareTransmitText("", options), "");
}

TEST(PrepareTransmitText, InsertedLineEndStringIsNotScannedAgain) {
    EXPECT_EQ(prepareTransmitText("A\nB\n", lineEnds("\r\n")), "A\r\n\nB\r\n\n");
    EXPECT_EQ(prepareTransmitText("A\r\n", lineEnds("\r")), "A\r\r\n");
    EXPECT_EQ(prepareTransmitText("A\n", lineEnds("  ")), "A  \n"); // blanks count
}

TEST(PrepareTransmitText, FiltersRunBeforeTheLineEndsAreMarked) {
    TransmitOptions options = lineEnds(";");
    EXPECT_EQ(prepareTransmitText("A\r%\n", options), "A\r%;\n");
    options.percentFilter = true;
    EXPECT_EQ(prepareTransmitText("A\r%\n", options), "A;\r\n");
    options.controlFilter = true;
    EXPECT_EQ(prepareTransmitText("A\r\t%\x13\n\t\n", options), "A;\r\n;\n");
}

TEST(PrepareTransmitText, BeginAndEndStringsAddPlainLfsWithoutLineEndString) {
    TransmitOptions options;
    options.beforeProgram = "B";
    options.afterProgram = "E";
    EXPECT_EQ(prepareTransmitText("", options), "B\n\nE");
    options.afterLine = ";";
    EXPECT_EQ(prepareTransmitText("X\r\n", options), "B\nX;\r\n\nE");
    options.beforeProgram = "B1\nB2";
    options.afterProgram = " ";
    EXPECT_EQ(prepareTransmitText("X", options), "B1\nB2\nX\n ");
}

TEST(PrepareTransmitText, EndCodeStringFollowsFirstM02AndFirstM30Only) {
    const TransmitOptions options = endCode("X");
    EXPECT_EQ(prepareTransmitText("M02\nM30\nM02\nM30\n", options), "M02X\nM30X\nM02\nM30\n");
    EXPECT_EQ(prepareTransmitText("M30 M02", options), "M30X M02X");
    EXPECT_EQ(prepareTransmitText("m02 M2 m30 M3 0", options), "m02 M2 m30 M3 0");
    EXPECT_EQ(prepareTransmitText("M020 M300", options), "M02X0 M30X0");
    EXPECT_EQ(prepareTransmitText("(M302)", options), "(M30X2)");
    EXPECT_EQ(prepareTransmitText("", options), "");
}

TEST(PrepareTransmitText, EndCodesAreFoundInBeginAndEndStrings) {
    TransmitOptions options = endCode("X");
    options.beforeProgram = "M02";
    options.afterProgram = "M30";
    EXPECT_EQ(prepareTransmitText("N1 M02", options), "M02X\nN1 M02\nM30X");
    EXPECT_EQ(prepareTransmitText("N1 M30", options), "M02X\nN1 M30X\nM30");
}

TEST(PrepareTransmitText, M30SearchSeesTheTextWithTheM02StringInserted) {
    // "M3" behind M02 forms an M30 with the next character of the program.
    EXPECT_EQ(prepareTransmitText("M020 M30", endCode("M3")), "M02M30M3 M30");
    EXPECT_EQ(prepareTransmitText("M02 M30", endCode("M30")), "M02M30M30 M30");
}

TEST(PrepareTransmitText, WorkedExampleWithEveryOptionActive) {
    TransmitOptions options;
    options.percentFilter = true;
    options.controlFilter = true;
    options.afterLine = ";";
    options.beforeProgram = "B";
    options.afterProgram = "E";
    options.afterEndCode = "X";
    EXPECT_EQ(prepareTransmitText("%\nN10 M30\r\n", options), "B\n;\nN10 M30X;\r\n\nE");
}

TEST(PrepareTransmitText, LongProgramMatchesLineByLineExpectation) {
    // Many lines exercise the buffer sizing: the result must be exact, with
    // nothing left over from the room reserved for the insertions.
    TransmitOptions options;
    options.percentFilter = true;
    options.afterLine = "<>";
    options.beforeProgram = "%";
    options.afterEndCode = "!";
    std::string text;
    std::string expected = "%\n";
    for (int line = 0; line < 5000; ++line) {
        const std::string number = std::to_string(line);
        text += "N" + number + "%\r\n";
        expected += "N" + number + "<>\r\n";
    }
    text += "M30";
    expected += "M30!";
    EXPECT_EQ(prepareTransmitText(text, options), expected);
}
