#include "transfer/transmit_settings.h"

#include <gtest/gtest.h>

using drovane::TransmitOptions;
using drovane::transmitOptionsFrom;
using drovane::TransmitSettingTexts;

TEST(TransmitOptionsFrom, EachTextLandsInItsOwnOption) {
    const TransmitOptions options = transmitOptionsFrom({.percentFilter = "Ja",
                                                         .controlFilter = "Nein",
                                                         .afterLine = "L",
                                                         .beforeProgram = "B",
                                                         .afterProgram = "E",
                                                         .afterEndCode = "C"});
    EXPECT_TRUE(options.percentFilter);
    EXPECT_FALSE(options.controlFilter);
    EXPECT_EQ(options.afterLine, "L");
    EXPECT_EQ(options.beforeProgram, "B");
    EXPECT_EQ(options.afterProgram, "E");
    EXPECT_EQ(options.afterEndCode, "C");

    const TransmitOptions swapped =
        transmitOptionsFrom({.percentFilter = "Nein", .controlFilter = "Ja"});
    EXPECT_FALSE(swapped.percentFilter);
    EXPECT_TRUE(swapped.controlFilter);
}

TEST(TransmitOptionsFrom, OnlyTheExactJaSwitchesAFilterOn) {
    for (const char* text : {"ja", "JA", "Ja ", " Ja", "Yes", "1", ""}) {
        const TransmitOptions options =
            transmitOptionsFrom({.percentFilter = text, .controlFilter = text});
        EXPECT_FALSE(options.percentFilter) << text;
        EXPECT_FALSE(options.controlFilter) << text;
    }
}

TEST(TransmitOptionsFrom, StringsAreTakenByteForByte) {
    const TransmitOptions options = transmitOptionsFrom(
        {.afterLine = " ", .beforeProgram = "%\xC4 ", .afterProgram = "\t", .afterEndCode = "$04"});
    EXPECT_EQ(options.afterLine, " ");
    EXPECT_EQ(options.beforeProgram, "%\xC4 ");
    EXPECT_EQ(options.afterProgram, "\t");
    EXPECT_EQ(options.afterEndCode, "$04");
}
