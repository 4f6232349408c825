#include "shell/program_commands.h"

#include "core/current_line.h"
#include "core/text.h"
#include "programs/program_messages.h"
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
    markStep();
    std::optional<std::size_t> nulOffset;
    auto bytes = readProgramFile(localPathBytes(path), nulOffset);
    markStep();
    if (!bytes) {
        // The old program stays whole: text, editor, name and tab title agree.
        reportUnreadable(name);
        return;
    }
    window_.fileNameField()->setText(name);
    state_.programText = std::move(*bytes);
    window_.clearStatus();
    window_.programView().show(state_.programText);
    window_.appendStatus(QStringLiteral("CNC-Programm geladen."));
    if (nulOffset) {
        // Otherwise the machine gets a program without its end, unannounced.
        window_.appendStatus(QString::fromStdString(program_messages::cutAtNulLine(*nulOffset)));
    }
    window_.setProgramTabTitle(name);
}

void ProgramCommands::reportUnreadable(const QString& name) {
    dialogs_.inform(Title, QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(name));
}

std::string ProgramCommands::targetPath() const {
    return saveTargetPath(localPathBytes(window_.directoryField()->text()),
                          localPathBytes(window_.fileNameField()->text()),
                          localPathBytes(window_.patternField()->text()));
}

OverwriteDecision ProgramCommands::checkSaveTarget() {
    const SaveTarget target = inspectSaveTarget(localPathBytes(window_.directoryField()->text()),
                                                localPathBytes(window_.fileNameField()->text()),
                                                localPathBytes(window_.patternField()->text()));
    SaveJudgement judgement{OverwriteDecision::NoFileOrEmptyName, target.path};
    switch (target.state) {
    case SaveTargetState::EmptyName:
    case SaveTargetState::NoFile:
        break;
    case SaveTargetState::InvalidName:
        dialogs_.inform(Title, QStringLiteral("Der Dateiname enthält ungültige Zeichen !"));
        judgement.decision = OverwriteDecision::InvalidName;
        break;
    case SaveTargetState::ExistingFile: {
        const QString question = QStringLiteral("Die Datei \"%1\" existiert bereits.\n"
                                                "Möchten Sie die Datei wirklich überschreiben ?")
                                     .arg(qStringFromLocalPath(filePart(target.path)));
        judgement.decision = dialogs_.askYesNo(QStringLiteral("Datei überschreiben ?"), question)
                                 ? OverwriteDecision::Overwrite
                                 : OverwriteDecision::KeepExisting;
        break;
    }
    }
    state_.judgement = judgement;
    return judgement.decision;
}

void ProgramCommands::saveProgram() {
    if (state_.programText.empty() || window_.fileNameField()->text().isEmpty()) {
        return;
    }
    const std::string target = targetPath();
    const auto step = [&] {
        return decideSave(state_.judgement.decision, state_.judgement.path, target,
                          fileExists(target));
    };
    SaveStep next = step();
    if (next == SaveStep::AskAgain) {
        checkSaveTarget();
        next = step();
    }
    if (next != SaveStep::Write) {
        return;
    }
    const QString shownPath = qStringFromLocalPath(target);
    markStep();
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

void ProgramCommands::openProgramByPath(const QString& path) {
    markStep();
    const std::string bytes = localPathBytes(path);
    const QString name = qStringFromLocalPath(filePart(bytes));
    FileList& list = *window_.fileList();
    list.pointAt(qStringFromLocalPath(directoryPart(bytes)) + QStringLiteral("*.") +
                 qStringFromLocalPath(extension(filePart(bytes))));
    // The search takes the name as a prefix: P1 would find P10 when P1 is
    // gone, or a folder "P1 alt" listed before the file P1.
    int index = selectListEntry(list, name, 0, 0);
    while (index >= 0 && list.entryName(index) != name) {
        index = selectListEntry(list, name, 0, index + 1);
    }
    window_.directoryField()->setText(list.currentDirectory());
    if (index < 0) {
        reportUnreadable(name);
        return;
    }
    loadProgram();
}

} // namespace drovane
