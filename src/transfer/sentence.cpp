#include "transfer/sentence.h"

namespace drovane {

std::string fill(std::string_view sentence, std::string_view value) {
    const std::size_t at = sentence.find(kPlaceholder);
    if (at == std::string_view::npos) {
        return std::string(sentence);
    }
    std::string line(sentence.substr(0, at));
    line += value;
    line += sentence.substr(at + kPlaceholder.size());
    return line;
}

std::string fill(std::string_view sentence, std::int64_t number) {
    return fill(sentence, std::to_string(number));
}

bool fitsSentence(std::string_view line, std::string_view sentence) {
    const std::size_t at = sentence.find(kPlaceholder);
    if (at == std::string_view::npos) {
        return line == sentence;
    }
    const std::string_view before = sentence.substr(0, at);
    const std::string_view after = sentence.substr(at + kPlaceholder.size());
    return line.size() >= before.size() + after.size() && line.starts_with(before) &&
           line.ends_with(after);
}

} // namespace drovane
