#include "qt/embedded_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function where it is used, so it must stand in the
// global namespace (not even an anonymous one) to reach the function rcc generated.
static void initResourcesOnce() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace drovane {

void registerEmbeddedResources() {
    initResourcesOnce();
}

} // namespace drovane
