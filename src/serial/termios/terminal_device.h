#pragma once

// Opening a terminal device, and nothing that only looks like one.

#include "core/unique_fd.h"
#include "serial/open_failure.h"

#include <string>

namespace drovane {

// A terminal device opened non-blocking; invalid with `failure` set when the
// name is none. The name is looked at through O_PATH (which opens no
// device), so a FIFO, a regular file or a directory is never opened for
// writing and never blocks the open.
UniqueFd openTerminal(const std::string& path, OpenFailure& failure);

// Asks a UART driver to hand over bytes as they come; others ignore it.
void askForLowLatency(int fd);

// The slave side of a pseudo-terminal: a tty without a line rate.
bool isPseudoTerminal(int fd);

} // namespace drovane
