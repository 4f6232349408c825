#pragma once

// How drovane-cli ends when it crashes. On Linux the signal ends it and the
// calling shell tells which; on Windows a structured exception no code
// handles leaves one line on standard error and ends the process with the
// exception's code as its exit code, without the system's crash dialog.

namespace drovane {

void reportCrashes();

} // namespace drovane
