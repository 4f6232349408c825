#include "cli/crash_report.h"

namespace drovane {

void reportCrashes() {}

} // namespace drovane
