#pragma once

// Turns every fatal fault of the process (the program's own codes 7 and 8, a
// signal of any thread, an uncaught exception) into the one "Programmfehler"
// box and exit code 0. A signal handler cannot draw a window, so the box is
// shown by a fresh process of the program that the faulting one waits for.

#include <string>
#include <vector>

namespace drovane {

// The option that makes the program show only the box with the next argument.
inline constexpr const char* FatalBoxOption = "--fatal-box";

// What is started to show the box: `program` with `arguments`, then
// FatalBoxOption and the text. Tests put a stand-in here.
struct FatalBoxCommand {
    std::string program = "/proc/self/exe";
    std::vector<std::string> arguments;
};

// Installs the signal handlers, the terminate handler and an alternate signal
// stack for the calling thread. Call once, early, on the main thread.
void installFatalErrorHandler(FatalBoxCommand command = {});

// Raises the program's own fault 7 or 8; never returns.
[[noreturn]] void RaiseFatal(int code);

} // namespace drovane
