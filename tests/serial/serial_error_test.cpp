#include "serial/serial_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace drovane {
namespace {

std::vector<std::string> report(SerialError errors) {
    std::vector<std::string> lines;
    reportSerialErrors(errors, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(ReportSerialErrors, WritesOneLinePerFlagInAscendingOrder) {
    EXPECT_THAT(report(static_cast<SerialError>(0x0480)),
                testing::ElementsAre("Übertragungsfehler !!! #PB_SerialPort_WaitingCTS",
                                     "Übertragungsfehler !!! #PB_SerialPort_XoffReceived"));
    EXPECT_TRUE(report(SerialError::None).empty());
    EXPECT_THAT(report(SerialError::EOFSent | SerialError::RxOver),
                testing::ElementsAre("Übertragungsfehler !!! #PB_SerialPort_RxOver",
                                     "Übertragungsfehler !!! #PB_SerialPort_EOFSent"));
}

TEST(ReportSerialErrors, AllThirteenFlagsHaveTheirValuesAndLines) {
    const std::vector<std::string> all = report(static_cast<SerialError>(0x1FFF));
    const char* const names[] = {
        "RxOver",     "OverRun",    "RxParity",    "Frame",        "Break",    "TxFull", "IOE",
        "WaitingCTS", "WaitingDSR", "WaitingRLSD", "XoffReceived", "XoffSent", "EOFSent"};
    ASSERT_EQ(all.size(), 13U);
    for (std::size_t bit = 0; bit < all.size(); ++bit) {
        EXPECT_EQ(all[bit], std::string("Übertragungsfehler !!! #PB_SerialPort_") + names[bit]);
        // Each flag alone yields exactly its own line: the value is 1 << bit.
        EXPECT_THAT(report(static_cast<SerialError>(1U << bit)), testing::ElementsAre(all[bit]));
    }
    // Bits outside the thirteen are no flags.
    EXPECT_TRUE(report(static_cast<SerialError>(0x2000)).empty());
}

} // namespace
} // namespace drovane
