#include "shell/program_commands.h"

#include "core/text.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/main_window.h"
#include "shell/qt_text.h"

namespace drovane {
namespace {

const QString Title = QStringLiteral("Drovane");

} // namespace

ProgramCommands::ProgramCommands(AppState& state, MainWindow& window, Dialogs& dialogs)
    : state_(state), window_(window), dialogs_(dialogs) {}

void ProgramCommands::loadProgram() {
    FileList& list = *window_.fileList();
    const int index = list.selectedIndex();
    if (index < 0 || !list.isFileEntry(index)) {
        return;
    }
    const QString path = list.currentDirectory() + list.entryName(index);
    const QString name = qStringFromLocalPath(filePart(localPathBytes(path)));
    auto bytes = readProgramFile(localPathBytes(path));
    if (!bytes) {
        // The old program stays whole: text, editor, name and tab title agree.
        dialogs_.inform(Title,
                        QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(name));
        return;
    }
    window_.fileNameField()->setText(name);
    state_.programText = std::move(*bytes);
    window_.clearStatus();
    window_.programView().show(state_.programText);
    window_.appendStatus(QStringLiteral("CNC-Programm geladen."));
    window_.setProgramTabTitle(name);
}

std::string ProgramCommands::targetPath() const {
    return saveTargetPath(localPathBytes(window_.directoryField()->text()),
                          localPathBytes(window_.fileNameField()->text()),
                          localPathBytes(window_.patternField()->text()));
}

OverwriteDecision ProgramCommands::checkSaveTarget() {
    SaveJudgement judgement;
    if (!window_.fileNameField()->text().isEmpty()) {
        judgement.path = targetPath();
        const std::string name = filePart(judgement.path);
        if (!isValidFileName(name)) {
            dialogs_.inform(Title, QStringLiteral("Der Dateiname enthält ungültige Zeichen !"));
            judgement.decision = OverwriteDecision::InvalidName;
        } else if (fileExists(judgement.path)) {
            const QString question =
                QStringLiteral("Die Datei \"%1\" existiert bereits.\n"
                               "Möchten Sie die Datei wirklich überschreiben ?")
                    .arg(qStringFromLocalPath(name));
            judgement.decision =
                dialogs_.askYesNo(QStringLiteral("Datei überschreiben ?"), question)
                    ? OverwriteDecision::Overwrite
                    : OverwriteDecision::KeepExisting;
        }
    }
    state_.judgement = judgement;
    return judgement.decision;
}

void ProgramCommands::saveProgram() {
    if (state_.programText.empty() || window_.fileNameField()->text().isEmpty() ||
        state_.judgement.decision == OverwriteDecision::InvalidName) {
        return;
    }
    const std::string target = targetPath();
    // An answer holds only for the path it was given for, and "no file there"
    // no longer holds once a file has appeared.
    const bool judgedElsewhere = target != state_.judgement.path;
    const bool fileAppeared =
        state_.judgement.decision == OverwriteDecision::NoFileOrEmptyName && fileExists(target);
    if ((judgedElsewhere || fileAppeared) && checkSaveTarget() == OverwriteDecision::InvalidName) {
        return;
    }
    if (state_.judgement.decision == OverwriteDecision::KeepExisting && fileExists(target)) {
        return;
    }
    const QString shownPath = qStringFromLocalPath(target);
    if (!writeProgramFileAtomically(target, state_.programText)) {
        window_.appendStatus(
            QStringLiteral("Fehler! Programm konnte nicht unter %1 gespeichert werden.")
                .arg(shownPath));
        return;
    }
    window_.appendStatus(QStringLiteral("Programm unter %1 gespeichert.").arg(shownPath));
    window_.setProgramTabTitle(qStringFromLocalPath(filePart(target)));
    window_.fileList()->pointAt(QStringLiteral("*.nc"));
}

void ProgramCommands::openProgramByPath(const QString& path, bool setFileName) {
    const std::string bytes = localPathBytes(path);
    const QString name = qStringFromLocalPath(filePart(bytes));
    FileList& list = *window_.fileList();
    list.pointAt(qStringFromLocalPath(directoryPart(bytes)) + QStringLiteral("*.") +
                 qStringFromLocalPath(extension(filePart(bytes))));
    selectListEntry(list, name, 0, 0);
    window_.directoryField()->setText(list.currentDirectory());
    if (setFileName) {
        window_.fileNameField()->setText(name);
    }
    loadProgram();
}

} // namespace drovane
