#pragma once

// What the Service Control Manager is told of the running service: start
// pending, running, stop pending, stopped. Nothing is told while no handle
// is attached, so that `run` in a console reports to nobody.

#include <windows.h>

namespace drovane {

void attachServiceState(SERVICE_STATUS_HANDLE handle);
// `exitCode` is the service's own, for SERVICE_STOPPED: not 0 counts as a
// failure, which the failure actions answer with a restart.
void reportServiceState(DWORD state, int exitCode = 0);

} // namespace drovane
