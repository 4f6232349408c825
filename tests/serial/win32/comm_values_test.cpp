// The small translations into the driver's values: queue sizes, timeouts,
// escape codes and device names.

#include "serial/win32/comm_timeouts.h"
#include "serial/win32/escape_function.h"
#include "serial/win32/queue_sizes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace drovane {
namespace {

TEST(QueueSizes, AskedForOnlyWhenBothArePositive) {
    struct Case {
        std::int32_t input;
        std::int32_t output;
        bool asked;
    };
    const std::vector<Case> cases = {
        {4096, 2048, true}, {1, 1, true},      {0, 4096, false},
        {4096, 0, false},   {-1, 4096, false}, {4096, -1, false},
    };
    for (const auto& c : cases) {
        SerialSettings settings;
        settings.inputBufferSize = c.input;
        settings.outputBufferSize = c.output;
        const auto sizes = queueSizes(settings);
        ASSERT_EQ(sizes.has_value(), c.asked) << c.input << " " << c.output;
        if (sizes) {
            EXPECT_EQ(sizes->input, static_cast<std::uint32_t>(c.input));
            EXPECT_EQ(sizes->output, static_cast<std::uint32_t>(c.output));
        }
    }
}

TEST(CommTimeouts, EachValueLandsInItsOwnField) {
    const COMMTIMEOUTS values = commTimeouts(SerialTimeouts{1, 2, 3, 4, 5});
    EXPECT_EQ(values.ReadIntervalTimeout, 1U);
    EXPECT_EQ(values.ReadTotalTimeoutConstant, 2U);
    EXPECT_EQ(values.ReadTotalTimeoutMultiplier, 3U);
    EXPECT_EQ(values.WriteTotalTimeoutConstant, 4U);
    EXPECT_EQ(values.WriteTotalTimeoutMultiplier, 5U);
}

TEST(CommTimeouts, TheDefaultsOfAnOpen) {
    const COMMTIMEOUTS values = commTimeouts(SerialTimeouts{});
    EXPECT_EQ(values.ReadIntervalTimeout, 100U);
    EXPECT_EQ(values.ReadTotalTimeoutMultiplier, 10U);
    EXPECT_EQ(values.ReadTotalTimeoutConstant, 100U);
    EXPECT_EQ(values.WriteTotalTimeoutMultiplier, 100U);
    EXPECT_EQ(values.WriteTotalTimeoutConstant, 10U);
}

// The driver only bounds one WriteFile; reads keep their timeouts as given.
TEST(CommTimeouts, WritesAreSlicedAndReadsStayAsGiven) {
    const COMMTIMEOUTS values = slicedForWrites(commTimeouts(SerialTimeouts{1, 2, 3, 4000, 500}));
    EXPECT_EQ(values.ReadIntervalTimeout, 1U);
    EXPECT_EQ(values.ReadTotalTimeoutConstant, 2U);
    EXPECT_EQ(values.ReadTotalTimeoutMultiplier, 3U);
    EXPECT_EQ(values.WriteTotalTimeoutConstant, kWriteSliceMs);
    EXPECT_EQ(values.WriteTotalTimeoutMultiplier, 0U);
    // Writes without a timeout would otherwise never come back to look at
    // an abort.
    const COMMTIMEOUTS endless = slicedForWrites(commTimeouts(SerialTimeouts{0, 0, 0, 0, 0}));
    EXPECT_EQ(endless.WriteTotalTimeoutConstant, kWriteSliceMs);
}

TEST(EscapeFunction, LinesAreRaisedForNonzeroAndOthersHaveNone) {
    struct Case {
        SerialSignal signal;
        int value;
        std::optional<DWORD> code;
    };
    const std::vector<Case> cases = {
        {SerialSignal::Dtr, 1, SETDTR},
        {SerialSignal::Dtr, 0, CLRDTR},
        {SerialSignal::Dtr, -7, SETDTR},
        {SerialSignal::Rts, 1, SETRTS},
        {SerialSignal::Rts, 0, CLRRTS},
        {SerialSignal::Break, 256, SETBREAK},
        {SerialSignal::Break, 0, CLRBREAK},
        {SerialSignal::Cts, 1, std::nullopt},
        {SerialSignal::Dsr, 1, std::nullopt},
        {SerialSignal::XonChar, 0x11, std::nullopt},
        {SerialSignal::XoffChar, 0x13, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(escapeFunction(c.signal, c.value), c.code)
            << static_cast<int>(c.signal) << " " << c.value;
    }
}

} // namespace
} // namespace drovane
