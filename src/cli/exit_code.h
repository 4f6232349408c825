#pragma once

// What drovane-cli tells the calling script, as listed in its help.

namespace drovane {

enum class ExitCode : int {
    Completed = 0,           // the transfer ended normally; a reception was saved
    UsageError = 1,          // bad arguments, an unreadable program or an unusable target
    PortNotOpened = 2,       // the serial port could not be opened
    Aborted = 3,             // stopped by the operator (SIGINT, SIGTERM; Ctrl+C on Windows)
    NotSaved = 4,            // received, but the file was not written
    SavedWithLineErrors = 5, // saved, but the line reported errors on the way
};

inline int toInt(ExitCode code) {
    return static_cast<int>(code);
}

} // namespace drovane
