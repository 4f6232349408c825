#pragma once

// Loading the selected program, judging a save target and saving the program:
// the window's side of the program files.

#include "programs/program_file.h"

#include <QString>

namespace drovane {

struct AppState;
class Dialogs;
class MainWindow;

class ProgramCommands {
public:
    ProgramCommands(AppState& state, MainWindow& window, Dialogs& dialogs);

    // Loads the file selected in FileList; nothing for no file entry.
    void loadProgram();
    // Asks before an existing file would be replaced; remembers what it judged.
    OverwriteDecision checkSaveTarget();
    void saveProgram();
    // Shows the file's folder with "*." + its extension, selects and loads
    // it. A file that is not there leaves the program as it was.
    void openProgramByPath(const QString& path);

private:
    std::string targetPath() const;
    void reportUnreadable(const QString& name);

    AppState& state_;
    MainWindow& window_;
    Dialogs& dialogs_;
};

} // namespace drovane
