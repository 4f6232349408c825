#include "service/unique_file.h"

#include "core/new_file.h"
#include "core/path_text.h"

#include <string>
#include <system_error>

namespace drovane {
namespace {

// Enough for every reception of one second; beyond it something is wrong.
constexpr int MostTries = 100;

} // namespace

std::optional<std::filesystem::path> writeUniqueFile(const std::filesystem::path& folder,
                                                     std::string_view stem, std::string_view suffix,
                                                     std::string_view bytes, WriteCall writeCall) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int attempt = 1; attempt <= MostTries; ++attempt) {
        std::string name(stem);
        if (attempt > 1) {
            name += "-" + std::to_string(attempt);
        }
        name += suffix;
        const auto path = folder / pathFromWindows1252(name);
        const NewFileResult claim = writeNewFile(path, {});
        if (claim == NewFileResult::NameTaken) {
            continue;
        }
        if (claim == NewFileResult::Failed) {
            return std::nullopt;
        }
        if (writeFileAtomically(path, bytes, writeCall)) {
            return path;
        }
        std::filesystem::remove(path, error);
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace drovane
