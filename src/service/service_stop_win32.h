#pragma once

// The Service Control Manager's stop and shutdown, made the same request as
// Ctrl+C in a console: ServiceSignals then answers Stop.

namespace drovane {

void requestServiceStop();

} // namespace drovane
