#pragma once

// What the whole program shares besides the controls: the settings path, the
// standard folder, the start parameter, the job flags and the program text.

#include "programs/program_file.h"

#include <QString>
#include <atomic>
#include <mutex>
#include <string>

namespace drovane {

inline constexpr float Version = 0.817F;

// What CheckSaveTarget decided, and for which target path.
struct SaveJudgement {
    OverwriteDecision decision = OverwriteDecision::NoFileOrEmptyName;
    std::string path; // empty when nothing was judged
};

struct AppState {
    QString settingsPath;
    QString ncDirectory; // always ends in "/"
    QString startParameter;
    std::string programText; // Windows-1252 bytes, never holds a NUL
    SaveJudgement judgement;

    std::atomic<int> abortRequest{0};
    // Set by the job thread while it lives; tests set it to act as a running job.
    std::atomic<bool> jobRunning{false};
    std::mutex transferLock;

    bool jobRuns() const { return jobRunning.load(); }
};

} // namespace drovane
