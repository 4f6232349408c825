#pragma once

// What a transfer job works with besides its settings: the line, the window
// (through the console), the abort request, the lock and the live controls.

#include "serial/abort_request.h"
#include "serial/serial_line.h"
#include "transfer/job_console.h"
#include "transfer/live_controls.h"
#include "transfer/transfer_lock.h"

#include <chrono>

namespace drovane {

struct JobTiming {
    // The pause before a byte whose write failed is sent again.
    std::chrono::milliseconds retryDelay{1000};
    // Silence after the first byte that ends a reception as its end
    // character would, for a machine that punches none; 0 (the window's)
    // waits for the end character alone.
    std::chrono::milliseconds quietEnd{0};
};

struct JobContext {
    SerialLine& line;
    JobConsole& console;
    const AbortRequest& abort;
    TransferLock& lock;
    const LiveControls& live;
    JobTiming timing{};
};

} // namespace drovane
