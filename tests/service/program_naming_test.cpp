#include "service/program_naming.h"
#include "service/time_stamp.h"
#include "service_folder.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

using testing::ServiceFolder;

using namespace std::string_view_literals;

struct NamingCase {
    std::string_view text;
    const char* machine;
    const char* extension;
    const char* expected;
};

class ReceivedName : public ::testing::TestWithParam<NamingCase> {};

TEST_P(ReceivedName, ComesFromContentOrMachineAndTime) {
    const NamingCase& c = GetParam();
    EXPECT_EQ(receivedProgramName(c.text, c.machine, c.extension, testing::sampleTime()),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReceivedName,
    ::testing::Values(NamingCase{"%\nO1234 (WELLE)\nG0 X0\n", "F", "nc", "O1234.nc"},
                      NamingCase{"\r\n\0\0\r\n%\r\n:0042\r\n"sv, "F", "nc", "O0042.nc"},
                      NamingCase{"O12345678\n", "F", "", "O12345678"},
                      NamingCase{"0 BEGIN PGM WELLE MM\n", "F", "nc", "WELLE.nc"},
                      NamingCase{"O123456789\n", "F", "nc", "F-20261209-140322.nc"},
                      NamingCase{"G0 X0\nO1234\n", "F", "nc", "F-20261209-140322.nc"},
                      NamingCase{"0 BEGIN PGM ../etc MM\n", "F", "nc", "F-20261209-140322.nc"},
                      NamingCase{"0 BEGIN PGM .. MM\n", "F", "", "F-20261209-140322"},
                      NamingCase{"", "Halle 2/Fanuc", "nc", "Halle 2_Fanuc-20261209-140322.nc"}));

struct RequestCase {
    std::string_view text;
    std::optional<std::string> name;
};

TEST(RequestedProgram, IsFoundOnlyInTheFirstTenLines) {
    const std::string late = std::string(10, '\n') + "(PRG=1234)\n";
    const RequestCase cases[] = {
        {"O9999\nN10 (PRG=1234)\n%\n", "1234"},
        {"%\r\n(PRG= DIRLIST )\r\n", "DIRLIST"},
        {"O9999\n(PRG=1234\n", std::nullopt},
        {"O1234\nG0 X0\n", std::nullopt},
        {late, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(requestedProgram(c.text), c.name) << c.text;
    }
}

TEST(ProgramExtension, TakesNoWildcard) {
    EXPECT_EQ(programExtension("*.nc"), "nc");
    EXPECT_EQ(programExtension("*.*"), "");
    EXPECT_EQ(programExtension("*"), "");
}

TEST(TimeStamp, RoundTripsAndRefusesOtherForms) {
    const auto time = testing::sampleTime();
    EXPECT_EQ(isoTimeStamp(time), "2026-12-09T14:03:22Z");
    EXPECT_EQ(parseIsoTimeStamp(isoTimeStamp(time)), time);
    for (const char* bad : {"2026-12-09 14:03:22Z", "2026-02-30T14:03:22Z", "2026-12-09T24:00:00Z",
                            "2026-12-09T14:03:22"}) {
        EXPECT_FALSE(parseIsoTimeStamp(bad)) << bad;
    }
}

} // namespace
} // namespace drovane
