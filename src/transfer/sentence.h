#pragma once

// Messages are whole sentences with one "{}" where a number or a text goes.

#include <cstdint>
#include <string>
#include <string_view>

namespace drovane {

inline constexpr std::string_view kPlaceholder = "{}";

// The sentence with `value` in place of its "{}".
std::string fill(std::string_view sentence, std::string_view value);
std::string fill(std::string_view sentence, std::int64_t number);

// True when `line` is the sentence with some text in place of its "{}".
bool fitsSentence(std::string_view line, std::string_view sentence);

} // namespace drovane
