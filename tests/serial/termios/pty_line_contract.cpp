// The line contract on the termios back end, over a pseudo-terminal.

#include "line_contract.h"
#include "termios/pty_back_end.h"

namespace drovane::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Pty, LineContract, PtyBackEnd);

} // namespace drovane::contract
