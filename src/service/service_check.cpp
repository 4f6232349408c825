#include "service/service_check.h"

namespace drovane {

ServicePlan planService(const std::filesystem::path& /*settingsFile*/,
                        const std::filesystem::path& /*serviceFile*/) {
    return {};
}

int checkService(const std::filesystem::path& /*settingsFile*/,
                 const std::filesystem::path& /*serviceFile*/, std::ostream& /*out*/) {
    return 1;
}

} // namespace drovane
