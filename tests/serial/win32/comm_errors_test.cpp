#include "serial/open_failure.h"
#include "serial/win32/comm_errors.h"
#include "serial/win32/unreported_hold.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace drovane {
namespace {

TEST(CommErrors, EachErrorBitIsItsFlag) {
    const COMSTAT quiet{};
    const std::vector<std::pair<DWORD, SerialError>> cases = {
        {0, SerialError::None},
        {CE_RXOVER, SerialError::RxOver},
        {CE_OVERRUN, SerialError::OverRun},
        {CE_RXPARITY, SerialError::RxParity},
        {CE_FRAME, SerialError::Frame},
        {CE_BREAK, SerialError::Break},
        {CE_TXFULL, SerialError::TxFull},
        {CE_IOE, SerialError::IOE},
        {CE_MODE, SerialError::IOE},
        {CE_FRAME | CE_OVERRUN, SerialError::Frame | SerialError::OverRun},
    };
    for (const auto& [bits, flags] : cases) {
        EXPECT_EQ(serialErrorsFrom(bits, quiet), flags) << bits;
    }
}

TEST(CommErrors, EachHoldStateIsItsFlag) {
    const std::vector<std::pair<std::function<void(COMSTAT&)>, SerialError>> cases = {
        {[](COMSTAT& s) { s.fCtsHold = 1; }, SerialError::WaitingCTS},
        {[](COMSTAT& s) { s.fDsrHold = 1; }, SerialError::WaitingDSR},
        {[](COMSTAT& s) { s.fRlsdHold = 1; }, SerialError::WaitingRLSD},
        {[](COMSTAT& s) { s.fXoffHold = 1; }, SerialError::XoffReceived},
        {[](COMSTAT& s) { s.fXoffSent = 1; }, SerialError::XoffSent},
        {[](COMSTAT& s) { s.fEof = 1; }, SerialError::EOFSent},
        {[](COMSTAT& s) { s.fTxim = 1; }, SerialError::None},
        // The queue counts are no flags.
        {[](COMSTAT& s) {
             s.cbInQue = 5;
             s.cbOutQue = 7;
         },
         SerialError::None},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        COMSTAT status{};
        cases[i].first(status);
        EXPECT_EQ(serialErrorsFrom(0, status), cases[i].second) << "case " << i;
    }
}

TEST(CommErrors, ErrorsAndHoldsOfOneFetchAddUp) {
    COMSTAT status{};
    status.fCtsHold = 1;
    status.fXoffHold = 1;
    EXPECT_EQ(serialErrorsFrom(CE_RXPARITY, status),
              SerialError::RxParity | SerialError::WaitingCTS | SerialError::XoffReceived);
}

// Wine shows no hold while the kernel holds the output for an XOFF.
TEST(UnreportedHold, ATimedOutWriteUnderXonXoffIsHeldByXoffWhenNothingElseExplainsIt) {
    struct Case {
        SerialError reported;
        Handshake handshake;
        bool writeTimedOut;
        SerialError result;
    };
    const std::vector<Case> cases = {
        {SerialError::None, Handshake::XonXoff, true, SerialError::XoffReceived},
        {SerialError::None, Handshake::XonXoff, false, SerialError::None},
        {SerialError::None, Handshake::NoHandshake, true, SerialError::None},
        {SerialError::None, Handshake::RtsCts, true, SerialError::None},
        {SerialError::XoffReceived, Handshake::XonXoff, true, SerialError::XoffReceived},
        {SerialError::WaitingCTS, Handshake::XonXoff, true, SerialError::WaitingCTS},
        {SerialError::IOE, Handshake::XonXoff, true, SerialError::IOE},
        {SerialError::Frame, Handshake::XonXoff, true, SerialError::Frame},
        {SerialError::EOFSent, Handshake::XonXoff, true,
         SerialError::EOFSent | SerialError::XoffReceived},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withUnreportedHold(c.reported, c.handshake, c.writeTimedOut), c.result)
            << static_cast<int>(c.reported) << " " << static_cast<int>(c.handshake) << " "
            << c.writeTimedOut;
    }
}

TEST(OpenFailureWin32, LastErrorOfAFailedOpenNamesTheCause) {
    const std::vector<std::pair<DWORD, OpenFailure>> cases = {
        {ERROR_FILE_NOT_FOUND, OpenFailure::NoSuchPort},
        {ERROR_PATH_NOT_FOUND, OpenFailure::NoSuchPort},
        {ERROR_INVALID_NAME, OpenFailure::NoSuchPort},
        {ERROR_BAD_UNIT, OpenFailure::NoSuchPort},
        {ERROR_ACCESS_DENIED, OpenFailure::InUse},
        {ERROR_SHARING_VIOLATION, OpenFailure::InUse},
        {ERROR_BUSY, OpenFailure::InUse},
        {ERROR_INVALID_PARAMETER, OpenFailure::SettingsRefused},
        {ERROR_GEN_FAILURE, OpenFailure::DeviceFailed},
        {ERROR_NOT_READY, OpenFailure::DeviceFailed},
    };
    for (const auto& [error, reason] : cases) {
        EXPECT_EQ(openFailureFromWindowsError(error), reason) << error;
    }
}

} // namespace
} // namespace drovane
