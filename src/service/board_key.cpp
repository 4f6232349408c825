#include "service/board_key.h"

#include <cstddef>

namespace drovane {

bool sameKey(std::string_view given, std::string_view key) {
    unsigned difference = given.size() == key.size() ? 0U : 1U;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const auto expected = key.empty() ? 0U : static_cast<unsigned char>(key[i % key.size()]);
        difference |= static_cast<unsigned char>(given[i]) ^ expected;
    }
    return difference == 0;
}

KeyCheck checkKey(std::string_view authorization, std::string_view key) {
    if (key.empty()) {
        return KeyCheck::ReadOnly;
    }
    constexpr std::string_view kBearer = "Bearer ";
    if (!authorization.starts_with(kBearer)) {
        return KeyCheck::Missing;
    }
    return sameKey(authorization.substr(kBearer.size()), key) ? KeyCheck::Allowed : KeyCheck::Wrong;
}

} // namespace drovane
