#include "window/program_commands.h"

#include "core/current_line.h"
#include "core/path_text.h"
#include "core/text.h"
#include "programs/program_messages.h"
#include "programs/program_rescue.h"
#include "window/shown_text.h"
#include "window/tabs.h"

namespace drovane {
namespace {

constexpr std::string_view Title = "Drovane";

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

} // namespace

ProgramCommands::ProgramCommands(AppState& state, WindowView& view, FileBrowsing& files,
                                 Dialogs& dialogs)
    : state_(state), view_(view), files_(files), dialogs_(dialogs) {}

void ProgramCommands::loadProgram(LogStart log) {
    const int index = files_.selectedIndex();
    if (index < 0 || !files_.isFileEntry(index)) {
        return;
    }
    const std::string path = files_.currentDirectory() + files_.entryName(index);
    const std::string name = filePart(path);
    markStep();
    std::optional<std::size_t> nulOffset;
    auto bytes = readProgramFile(pathFromShown(path), nulOffset);
    markStep();
    if (!bytes) {
        // The old program stays whole: text, editor, name and tab title agree.
        reportUnreadable(name);
        return;
    }
    view_.setText("FileNameField", name);
    state_.programText = std::move(*bytes);
    if (log == LogStart::Fresh) {
        view_.clearStatus();
    }
    view_.showEditor(state_.programText);
    view_.appendStatus("CNC-Programm geladen.");
    if (nulOffset) {
        // Otherwise the machine gets a program without its end, unannounced.
        view_.appendStatus(program_messages::cutAtNulLine(*nulOffset));
    }
    view_.setTabTitle(ProgramTab, name);
}

void ProgramCommands::reportUnreadable(std::string_view name) {
    dialogs_.inform(Title, "Die Datei " + inQuotes(name) + " kann nicht gelesen werden.");
}

std::string ProgramCommands::targetPath() const {
    return saveTargetPath(pathTextFromShown(view_.text("DirectoryField")),
                          pathTextFromShown(view_.text("FileNameField")),
                          pathTextFromShown(view_.text("PatternField")));
}

OverwriteDecision ProgramCommands::checkSaveTarget() {
    const SaveTarget target = inspectSaveTarget(pathTextFromShown(view_.text("DirectoryField")),
                                                pathTextFromShown(view_.text("FileNameField")),
                                                pathTextFromShown(view_.text("PatternField")));
    SaveJudgement judgement{OverwriteDecision::NoFileOrEmptyName, target.path};
    switch (target.state) {
    case SaveTargetState::EmptyName:
    case SaveTargetState::NoFile:
        break;
    case SaveTargetState::InvalidName:
        dialogs_.inform(Title, "Der Dateiname enthält ungültige Zeichen !");
        judgement.decision = OverwriteDecision::InvalidName;
        break;
    case SaveTargetState::ExistingFile: {
        const std::string question = "Die Datei " +
                                     inQuotes(shownFromPathText(filePart(target.path))) +
                                     " existiert bereits.\n"
                                     "Möchten Sie die Datei wirklich überschreiben ?";
        judgement.decision = dialogs_.askYesNo("Datei überschreiben ?", question)
                                 ? OverwriteDecision::Overwrite
                                 : OverwriteDecision::KeepExisting;
        break;
    }
    }
    state_.judgement = judgement;
    return judgement.decision;
}

void ProgramCommands::saveProgram() {
    if (state_.programText.empty() || view_.text("FileNameField").empty()) {
        return;
    }
    const std::string target = targetPath();
    const auto step = [&] {
        return decideSave(state_.judgement.decision, state_.judgement.path, target,
                          fileExists(pathFromText(target)));
    };
    SaveStep next = step();
    if (next == SaveStep::AskAgain) {
        checkSaveTarget();
        next = step();
    }
    if (next != SaveStep::Write) {
        return;
    }
    const std::string shownPath = shownFromPathText(target);
    markStep();
    if (!writeProgramFileAtomically(pathFromText(target), state_.programText)) {
        view_.appendStatus("Fehler! Programm konnte nicht unter " + shownPath +
                           " gespeichert werden.");
        rescue(target);
        return;
    }
    view_.appendStatus("Programm unter " + shownPath + " gespeichert.");
    view_.setTabTitle(ProgramTab, shownFromPathText(filePart(target)));
    files_.pointAt("*.nc");
}

void ProgramCommands::rescue(const std::string& target) {
    markStep();
    const auto rescued =
        rescueProgram(state_.programText,
                      rescueFolders(pathFromText(target), pathFromShown(state_.settingsPath)));
    if (rescued) {
        view_.appendStatus("Der empfangene Text liegt in " + shownFromPath(*rescued) + ".");
    } else {
        // The editor and ProgramText are then the only copy.
        view_.appendStatus(
            "Der empfangene Text konnte nirgends gesichert werden; er steht nur im Editor.");
    }
}

void ProgramCommands::openProgramByPath(std::string_view path, LogStart log) {
    markStep();
    const std::string name = filePart(path);
    files_.pointAt(directoryPart(path) + "*." + extension(name));
    int index = -1;
    for (int i = 0; i < files_.entryCount() && index < 0; ++i) {
        if (files_.entryName(i) == name) {
            index = i;
        }
    }
    files_.selectEntry(index);
    view_.setText("DirectoryField", files_.currentDirectory());
    if (index < 0) {
        reportUnreadable(name);
        return;
    }
    view_.setFocus("FileList");
    loadProgram(log);
}

} // namespace drovane
