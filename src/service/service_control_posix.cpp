#include "service/service_control.h"

#include "service/service_control_messages.h"
#include "transfer/sentence.h"

namespace drovane {
namespace {

int windowsOnly(std::string_view command, std::ostream& err) {
    err << fill(service_control_messages::kWindowsOnly, command) << '\n';
    return 1;
}

} // namespace

int installService(const DncArguments& /*arguments*/, std::ostream& /*out*/, std::ostream& err) {
    return windowsOnly("install", err);
}

int uninstallService(std::ostream& /*out*/, std::ostream& err) {
    return windowsOnly("uninstall", err);
}

int serveAsService(const std::filesystem::path& /*settingsFile*/,
                   const std::filesystem::path& /*serviceFile*/, std::ostream& /*out*/,
                   std::ostream& err) {
    return windowsOnly("service", err);
}

} // namespace drovane
