// The running service's pieces that need no process: its command line, the
// line it holds between jobs, and the texts of its status.

#include "serial/virtual/virtual_serial_line.h"
#include "service/dnc_arguments.h"
#include "service/held_line.h"
#include "service/machine_server.h"
#include "service/service_command_line.h"
#include "service/status_text.h"

#include <gtest/gtest.h>

#include <array>

namespace drovane {
namespace {

struct ArgumentCase {
    std::vector<std::string> words;
    bool accepted;
    DncCommand command;
};

TEST(DncArguments, CommandsOptionsAndRefusals) {
    const std::array<ArgumentCase, 12> cases = {{
        {{"run"}, true, DncCommand::Run},
        {{"--settings", "a.ini", "--service", "b.ini", "check"}, true, DncCommand::Check},
        {{"journal", "--machine", "M1", "--last", "5"}, true, DncCommand::Journal},
        {{}, false, DncCommand::Run},
        {{"run", "status"}, false, DncCommand::Run},
        {{"status", "--last", "3"}, false, DncCommand::Run},
        {{"journal", "--last", "0"}, false, DncCommand::Run},
        {{"run", "--settings"}, false, DncCommand::Run},
        {{"--settings", "a.ini", "install"}, true, DncCommand::Install},
        {{"uninstall"}, true, DncCommand::Uninstall},
        {{"service"}, true, DncCommand::Service},
        {{"install", "--machine", "M1"}, false, DncCommand::Run},
    }};
    for (const ArgumentCase& each : cases) {
        const DncArgumentsRead read = readDncArguments(each.words);
        ASSERT_EQ(read.arguments.has_value(), each.accepted) << testing::PrintToString(each.words);
        if (read.arguments) {
            EXPECT_EQ(read.arguments->command, each.command);
        } else {
            EXPECT_FALSE(read.error.empty());
        }
    }
    const DncArgumentsRead journal = readDncArguments(cases[2].words);
    EXPECT_EQ(journal.arguments->machine, "M1");
    EXPECT_EQ(journal.arguments->last, 5U);
}

// The manager starts the service in its own folder: a folder with a space
// stays one word, and a file named at install is found from anywhere.
TEST(ServiceCommandLine, QuotedExecutableAbsoluteFilesAndTheServiceWord) {
    const std::filesystem::path executable = std::filesystem::absolute("Drovane Werk/drovane-dnc");
    const auto quoted = [](const std::filesystem::path& path) {
        return "\"" + path.string() + "\"";
    };
    DncArguments arguments;
    EXPECT_EQ(std::filesystem::path(serviceCommandLine(executable, arguments)).string(),
              quoted(executable) + " service");
    arguments.serviceFile = "dnc.ini";
    EXPECT_EQ(std::filesystem::path(serviceCommandLine(executable, arguments)).string(),
              quoted(executable) + " --service " + quoted(std::filesystem::absolute("dnc.ini")) +
                  " service");
}

// Between two receptions the port stays open: no byte lost, no other
// program in between; a line that died is let go.
TEST(HeldLine, JobsCloseLeavesThePortOpenUntilItDiesOrIsReleased) {
    VirtualSerialLine port(20.0);
    const VirtualFarEnd far = port.farEnd();
    HeldLine line(port);
    const int id = line.open(SerialSettings{});
    ASSERT_NE(id, 0);
    line.close(id);
    EXPECT_TRUE(far.isOpen());
    EXPECT_EQ(line.open(SerialSettings{}), id);
    EXPECT_FALSE(line.dead());
    far.raiseErrors(SerialError::IOE);
    static_cast<void>(line.takeErrors(id));
    EXPECT_TRUE(line.dead());
    line.release();
    EXPECT_FALSE(far.isOpen());
    EXPECT_FALSE(line.held());
}

TEST(PatternExtension, TheExtensionWithoutItsDotAndNoneWithAWildcard) {
    EXPECT_EQ(patternExtension("*.nc"), "nc");
    EXPECT_EQ(patternExtension("*.H"), "H");
    EXPECT_EQ(patternExtension("*"), "");
    EXPECT_EQ(patternExtension("*.*"), "");
}

TEST(StatusText, OneLinePerMachineWithItsStateBytesAndRate) {
    const auto now = std::chrono::steady_clock::now();
    MachineSnapshot receiving{MachineActivity::Receiving, "O1.nc", 2000,
                              std::chrono::system_clock::time_point{},
                              now - std::chrono::seconds(2)};
    MachineSnapshot missing{
        MachineActivity::PortMissing, {}, 0, std::chrono::system_clock::time_point{}, now};
    EXPECT_EQ(statusText({{"M1", receiving}, {"M2", missing}}, now),
              "M1\tempf\xC3\xA4ngt\tO1.nc\t2000 Bytes\t1000 Bytes/s\tseit 1970-01-01 00:00:00 UTC\n"
              "M2\tPort fehlt\t-\t0 Bytes\t0 Bytes/s\tseit 1970-01-01 00:00:00 UTC\n");
}

} // namespace
} // namespace drovane
