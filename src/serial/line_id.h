#pragma once

// Port identifiers are unique within the process, so an identifier kept
// after close never reaches a port opened later.

namespace drovane {

// Nonzero, positive, never the same twice in a row.
int nextLineId();

} // namespace drovane
