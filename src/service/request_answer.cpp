#include "service/request_answer.h"

#include "core/text.h"
#include "service/folder_containment.h"
#include "service/journal_texts.h"
#include "service/program_name_match.h"
#include "service/program_naming.h"
#include "window/directory_reading.h"
#include "window/file_pattern.h"
#include "window/utf8_path.h"

#include <algorithm>
#include <vector>

namespace drovane {
namespace {

constexpr std::string_view AnswerOpening = "%\nO9999\n";
constexpr std::string_view AnswerClosing = "M30\n%\n";

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A comment ends at the first ")" and may hold no "(" or control character.
std::string commentSafe(std::string_view text) {
    std::string safe(text);
    for (char& character : safe) {
        if (character == '(' || character == ')' || static_cast<unsigned char>(character) < ' ') {
            character = '?';
        }
    }
    return safe;
}

std::string answerProgram(const std::vector<std::string>& comments) {
    std::string program(AnswerOpening);
    for (const auto& comment : comments) {
        program += "(" + comment + ")\n";
    }
    return program + std::string(AnswerClosing);
}

std::vector<FileEntry> filesOf(const std::filesystem::path& folder) {
    std::vector<FileEntry> files = readDirectory(utf8FromPath(folder));
    std::erase_if(files,
                  [](const FileEntry& entry) { return entry.kind != FileEntry::Kind::File; });
    std::sort(files.begin(), files.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    return files;
}

std::vector<std::string> candidateNames(std::string_view name, std::string_view extension) {
    std::vector<std::string> names{std::string(name)};
    if (!extension.empty()) {
        names.push_back(std::string(name) + "." + std::string(extension));
        if (isDigits(name)) {
            names.push_back("O" + std::string(name) + "." + std::string(extension));
        }
    }
    return names;
}

std::optional<std::filesystem::path> lookUp(std::string_view name, const ServedMachine& machine,
                                            std::string_view extension) {
    const std::vector<FileEntry> files = filesOf(machine.sendFolder);
    for (const auto& candidate : candidateNames(name, extension)) {
        const std::string wanted = utf8FromWindows1252(candidate);
        for (const auto& file : files) {
            if (!isSameProgramName(file.name, wanted)) {
                continue;
            }
            const auto path = machine.sendFolder / pathFromUtf8(file.name);
            if (liesInside(path, machine.sendFolder)) {
                return path;
            }
        }
    }
    return std::nullopt;
}

RequestAnswer failure(RequestOutcome outcome, std::string_view name, const ServedMachine& machine) {
    const bool refused = outcome == RequestOutcome::Refused;
    RequestAnswer answer;
    answer.outcome = outcome;
    answer.result = refused ? journal_texts::kRefused : journal_texts::kNotFound;
    if (machine.answerOnError) {
        const std::string reason = refused ? "ABGELEHNT " : "NICHT GEFUNDEN ";
        const std::string_view shown = name.substr(0, LongestRequestedName);
        answer.text = answerProgram({reason + commentSafe(shown)});
    }
    return answer;
}

RequestAnswer directoryList(const ServedMachine& machine, std::string_view pattern) {
    const std::string utf8Pattern = utf8FromWindows1252(pattern);
    std::vector<std::string> lines{"NAME  BYTES  DATE"};
    for (const auto& file : filesOf(machine.sendFolder)) {
        if (matchesFilePattern(file.name, utf8Pattern)) {
            lines.push_back(commentSafe(windows1252FromUtf8(file.name)) + "  " +
                            std::to_string(file.size) + "  " +
                            windows1252FromUtf8(dateColumnText(file)));
        }
    }
    RequestAnswer answer;
    answer.outcome = RequestOutcome::SendText;
    answer.text = answerProgram(lines);
    return answer;
}

} // namespace

bool isAcceptableRequest(std::string_view name) {
    return !name.empty() && name.size() <= LongestRequestedName &&
           name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos &&
           std::none_of(name.begin(), name.end(), [](char c) {
               return static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) == 0x7F;
           });
}

RequestAnswer answerRequest(std::string_view name, const ServedMachine& machine,
                            std::string_view pattern) {
    if (machine.sendFolder.empty() || !isAcceptableRequest(name)) {
        return failure(RequestOutcome::Refused, name, machine);
    }
    if (name == DirectoryListRequest) {
        return directoryList(machine, pattern);
    }
    if (const auto file = lookUp(name, machine, programExtension(pattern))) {
        RequestAnswer answer;
        answer.outcome = RequestOutcome::SendFile;
        answer.file = *file;
        return answer;
    }
    return failure(RequestOutcome::NotFound, name, machine);
}

} // namespace drovane
