#pragma once

// Opening the line for a job, with the log lines both jobs show for it.

#include "serial/serial_line.h"
#include "transfer/job_console.h"

namespace drovane {

// The line's identifier, or 0 when it could not be opened (logged with the
// reason where the line knows one).
int openLine(SerialLine& line, const SerialSettings& settings, JobConsole& console);

} // namespace drovane
