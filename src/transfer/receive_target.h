#pragma once

// Where a reception is saved: the window's check of the target before the
// line is opened and its save after a normal end. Called from the job
// thread; the window answers on its own thread (message boxes included).
// Both calls must return when the window goes away.

#include "programs/program_file.h"

#include <string_view>

namespace drovane {

class ReceiveTarget {
public:
    virtual ~ReceiveTarget() = default;
    ReceiveTarget() = default;
    ReceiveTarget(const ReceiveTarget&) = delete;
    ReceiveTarget& operator=(const ReceiveTarget&) = delete;
    ReceiveTarget(ReceiveTarget&&) = delete;
    ReceiveTarget& operator=(ReceiveTarget&&) = delete;

    // The name check and the overwrite question. InvalidName (the operator
    // has been told) ends the reception before anything else.
    virtual OverwriteDecision checkSaveTarget() = 0;
    // The received (and filtered) program, with the decision of the check;
    // the window logs the save or why nothing was saved.
    virtual void saveProgram(std::string_view programText, OverwriteDecision decision) = 0;
};

} // namespace drovane
