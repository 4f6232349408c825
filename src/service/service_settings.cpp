#include "service/service_settings.h"

namespace drovane {

std::span<const ServiceKey> serviceKeys() {
    return {};
}

ServiceSettingsRead readServiceSettings(const std::filesystem::path& /*serviceFile*/) {
    return {};
}

} // namespace drovane
