#include "service/program_naming.h"

#include "core/text.h"
#include "programs/program_file.h"
#include "service/text_lines.h"
#include "service/time_stamp.h"

namespace drovane {
namespace {

constexpr std::size_t RequestLines = 10;
constexpr std::size_t LongestProgramNumber = 8;
constexpr std::string_view RequestOpening = "(PRG=";
constexpr std::string_view HeidenhainHeader = "BEGIN PGM ";

bool isDigit(char character) {
    return character >= '0' && character <= '9';
}

std::string withExtension(std::string name, std::string_view extension) {
    if (!extension.empty()) {
        name.append(".").append(extension);
    }
    return name;
}

// "O1234" from "O1234 (SHAFT)" or ":1234"; empty for a line of another form.
std::string programNumber(std::string_view line) {
    if (line.empty() || (line.front() != 'O' && line.front() != ':')) {
        return {};
    }
    std::size_t digits = 1;
    while (digits < line.size() && isDigit(line[digits])) {
        ++digits;
    }
    const std::size_t count = digits - 1;
    if (count == 0 || count > LongestProgramNumber) {
        return {};
    }
    return "O" + std::string(line.substr(1, count));
}

// The name of "0 BEGIN PGM SHAFT MM"; the block number is optional.
std::string heidenhainName(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isDigit(line[at])) {
        ++at;
    }
    while (at < line.size() && line[at] == ' ') {
        ++at;
    }
    if (!line.substr(at).starts_with(HeidenhainHeader)) {
        return {};
    }
    const std::string_view rest = trimmedLine(line.substr(at + HeidenhainHeader.size()));
    return std::string(rest.substr(0, rest.find(' ')));
}

std::string contentName(std::string_view text) {
    TextLines lines(text);
    while (const auto line = lines.next()) {
        const std::string_view content = trimmedLine(*line);
        if (content.empty() || content == "%") {
            continue;
        }
        std::string number = programNumber(content);
        return number.empty() ? heidenhainName(content) : number;
    }
    return {};
}

} // namespace

std::optional<std::string> requestedProgram(std::string_view text) {
    TextLines lines(text);
    for (std::size_t count = 0; count < RequestLines; ++count) {
        const auto line = lines.next();
        if (!line) {
            break;
        }
        const auto opening = line->find(RequestOpening);
        if (opening == std::string_view::npos) {
            continue;
        }
        const std::string_view rest = line->substr(opening + RequestOpening.size());
        const auto closing = rest.find(')');
        if (closing != std::string_view::npos) {
            return std::string(trimmedLine(rest.substr(0, closing)));
        }
    }
    return std::nullopt;
}

std::string programExtension(std::string_view pattern) {
    std::string found = extension(pattern);
    return found.find_first_of("*?") == std::string::npos ? found : std::string();
}

std::string machineTimeName(std::string_view machine, std::string_view extension,
                            std::chrono::system_clock::time_point now) {
    std::string name;
    for (const char character : machine) {
        const std::string_view one(&character, 1);
        name += isValidFileName(one) ? character : '_';
    }
    return withExtension(name + "-" + fileTimeStamp(now), extension);
}

std::string receivedProgramName(std::string_view text, std::string_view machine,
                                std::string_view extension,
                                std::chrono::system_clock::time_point now) {
    const std::string name = contentName(text);
    // "." and ".." name folders, never a program.
    if (name.find_first_not_of('.') != std::string::npos) {
        std::string file = withExtension(name, extension);
        // The check judges the file part: the name must be one whole.
        if (isValidFileName(file) && isSavableTarget(file)) {
            return file;
        }
    }
    return machineTimeName(machine, extension, now);
}

} // namespace drovane
