#include "programs/program_file.h"

namespace drovane {

SaveStep decideSave(OverwriteDecision decision, std::string_view judgedPath,
                    std::string_view targetPathNow, bool fileExistsNow) {
    if (decision == OverwriteDecision::InvalidName) {
        return SaveStep::Skip;
    }
    if (targetPathNow != judgedPath) {
        return SaveStep::AskAgain;
    }
    switch (decision) {
    case OverwriteDecision::Overwrite:
        return SaveStep::Write;
    case OverwriteDecision::KeepExisting:
        return fileExistsNow ? SaveStep::Skip : SaveStep::Write;
    case OverwriteDecision::NoFileOrEmptyName:
        // Nobody was asked: a file that appeared since must not be replaced unasked.
        return fileExistsNow ? SaveStep::AskAgain : SaveStep::Write;
    case OverwriteDecision::InvalidName:
        break;
    }
    return SaveStep::Skip;
}

} // namespace drovane
