#pragma once

// Loading the selected program, judging a save target and saving the program:
// the window's side of the program files.

#include "programs/program_file.h"
#include "window/app_state.h"
#include "window/dialogs.h"
#include "window/file_browsing.h"
#include "window/window_view.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace drovane {

// Whether a load starts the log afresh or keeps the lines above it: a file
// held during a job keeps how the job ended readable.
enum class LogStart : std::uint8_t { Fresh, KeepLines };

class ProgramCommands {
public:
    ProgramCommands(AppState& state, WindowView& view, FileBrowsing& files, Dialogs& dialogs);

    // Loads the file selected in the file list; nothing for no file entry.
    void loadProgram(LogStart log = LogStart::Fresh);
    // Asks before an existing file would be replaced; remembers what it judged.
    OverwriteDecision checkSaveTarget();
    void saveProgram();
    // Shows the file's folder with "*." + its extension, selects and loads
    // it. A file that is not there leaves the program as it was. UTF-8.
    void openProgramByPath(std::string_view path, LogStart log = LogStart::Fresh);

private:
    // The path text the three fields name.
    std::string targetPath() const;
    void reportUnreadable(std::string_view name);
    // Keeps a text whose save to `target` failed in a file of its own.
    void rescue(const std::string& target);

    AppState& state_;
    WindowView& view_;
    FileBrowsing& files_;
    Dialogs& dialogs_;
};

} // namespace drovane
