#pragma once

// Held by a job for the whole of a transfer, so that two transfers never use
// a port at the same time, even apart from the one-job rule of TransferJob.

#include <mutex>

namespace drovane {

using TransferLock = std::mutex;

} // namespace drovane
