#include "cli/file_target.h"

#include "cli/cli_texts.h"
#include "cli/word_path.h"
#include "core/path_text.h"
#include "core/text.h"
#include "programs/program_rescue.h"
#include "transfer/sentence.h"

#include <system_error>

namespace drovane {
namespace {

namespace fs = std::filesystem;

std::string framed(std::string_view sentence, const fs::path& path) {
    return fill(sentence, shownPath(path));
}

} // namespace

TargetCheck checkTarget(const fs::path& path, bool overwrite) {
    if (!isSavableTarget(textFromPath(path))) {
        return {std::nullopt, std::string(cli_text::kInvalidTarget)};
    }
    std::error_code error;
    if (fs::is_directory(path, error)) {
        return {std::nullopt, framed(cli_text::kTargetIsFolder, path)};
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error)) {
        return {std::nullopt, framed(cli_text::kFolderMissing, folder)};
    }
    if (!fileExists(path)) {
        return {OverwriteDecision::NoFileOrEmptyName, {}};
    }
    if (!overwrite) {
        return {std::nullopt, framed(cli_text::kTargetExists, path)};
    }
    return {OverwriteDecision::Overwrite, {}};
}

FileTarget::FileTarget(fs::path path, OverwriteDecision decision, StreamConsole& console,
                       fs::path settingsPath, WriteCall writeCall)
    : path_(std::move(path)), decision_(decision), console_(console),
      settingsPath_(std::move(settingsPath)), writeCall_(writeCall) {}

void FileTarget::saveProgram(std::string_view programText, OverwriteDecision decision) {
    if (programText.empty()) {
        result_ = SaveResult::NothingReceived;
        console_.error(cli_text::kNothingReceived);
        return;
    }
    const std::string path = shownPath(path_);
    if (decideSave(decision, path, path, fileExists(path_)) != SaveStep::Write) {
        result_ = SaveResult::FileAppeared;
        console_.error(framed(cli_text::kTargetAppeared, path_));
        rescue(programText);
        return;
    }
    if (!writeProgramFileAtomically(path_, programText, writeCall_)) {
        result_ = SaveResult::Failed;
        console_.error(framed(cli_text::kSaveFailed, path_));
        rescue(programText);
        return;
    }
    result_ = SaveResult::Saved;
    console_.appendLine(framed(cli_text::kSaved, path_));
}

bool FileTarget::rescue(std::string_view programText) {
    // The rescue is not subject to the failing seam: it is another file.
    auto rescued = rescueProgram(programText, rescueFolders(path_, settingsPath_));
    if (!rescued) {
        console_.error(cli_text::kNotRescued);
        return false;
    }
    rescuePath_ = std::move(*rescued);
    console_.error(framed(cli_text::kRescued, rescuePath_));
    return true;
}

} // namespace drovane
