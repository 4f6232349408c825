#include "service/dnc_main.h"

#include "core/executable_directory.h"
#include "service/dnc_arguments.h"
#include "service/journal.h"
#include "service/service_check.h"
#include "service/service_control.h"
#include "service/service_run.h"
#include "service/service_settings.h"
#include "service/status_channel.h"

namespace drovane {
namespace {

constexpr int kUsageError = 2;

int printStatus(std::ostream& out, std::ostream& err) {
    const auto status = askStatus();
    if (!status) {
        err << "Kein laufender Dienst an " << statusChannelName() << ".\n";
        return 1;
    }
    out << *status;
    return 0;
}

} // namespace

int dncMain(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const DncArgumentsRead read = readDncArguments(words);
    if (!read.arguments) {
        err << read.error << '\n' << kDncUsage << '\n';
        return kUsageError;
    }
    const DncArguments& arguments = *read.arguments;
    const std::filesystem::path beside = executableDirectory();
    const std::filesystem::path settingsFile =
        arguments.settingsFile.value_or(beside / "drovane.ini");
    const std::filesystem::path serviceFile =
        arguments.serviceFile.value_or(beside / "drovane-dnc.ini");
    switch (arguments.command) {
    case DncCommand::Check:
        return checkService(settingsFile, serviceFile, out);
    case DncCommand::Run:
        return runService(settingsFile, serviceFile, out);
    case DncCommand::Status:
        return printStatus(out, err);
    case DncCommand::Journal:
        return printJournal(readServiceSettings(serviceFile).settings.journal,
                            JournalQuery{arguments.machine, arguments.last}, out);
    case DncCommand::Install:
        return installService(arguments, out, err);
    case DncCommand::Uninstall:
        return uninstallService(out, err);
    case DncCommand::Service:
        return serveAsService(settingsFile, serviceFile, out, err);
    }
    return kUsageError;
}

} // namespace drovane
