#pragma once

// The file a command-line reception is saved to: FILE as given. It is judged
// before the port is opened (an existing file only with --overwrite), and the
// save at the end is atomic. A save that fails keeps the received text in a
// rescue file, since the process, unlike the window, ends right after; the
// settings file's folder is one of the places tried.

#include "cli/stream_console.h"
#include "programs/program_file.h"
#include "transfer/receive_target.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace drovane {

struct TargetCheck {
    // None when the target must be refused.
    std::optional<OverwriteDecision> decision;
    // Why (UTF-8); empty with a decision.
    std::string error;
};

TargetCheck checkTarget(const std::filesystem::path& path, bool overwrite);

enum class SaveResult : std::uint8_t {
    NotReached,      // the reception did not end normally
    Saved,           //
    NothingReceived, // no text: nothing to save
    Failed,          // the write failed; the old file, if any, is whole
    FileAppeared,    // a file came into being at the target meanwhile
};

class FileTarget final : public ReceiveTarget {
public:
    // `writeCall` lets tests fail the write.
    FileTarget(std::filesystem::path path, OverwriteDecision decision, StreamConsole& console,
               std::filesystem::path settingsPath, WriteCall writeCall = nullptr);

    OverwriteDecision checkSaveTarget() override { return decision_; }
    void saveProgram(std::string_view programText, OverwriteDecision decision) override;

    SaveResult result() const { return result_; }
    // Keeps a text that does not go to the target in a new file and says
    // where, or that no place took it (false); also for an aborted reception.
    bool rescue(std::string_view programText);
    // Where the text went when it could not go to the target.
    const std::filesystem::path& rescuePath() const { return rescuePath_; }

private:
    std::filesystem::path path_;
    OverwriteDecision decision_;
    StreamConsole& console_;
    std::filesystem::path settingsPath_;
    WriteCall writeCall_;
    SaveResult result_ = SaveResult::NotReached;
    std::filesystem::path rescuePath_;
};

} // namespace drovane
