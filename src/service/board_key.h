#pragma once

// The check of "Authorization: Bearer <key>" for the board's actions.

#include <cstdint>
#include <string_view>

namespace drovane {

enum class KeyCheck : std::uint8_t { Allowed, Missing, Wrong, ReadOnly };

// Takes as long for a key wrong in its first character as in its last.
bool sameKey(std::string_view given, std::string_view key);
// `key` empty: the board has no actions.
KeyCheck checkKey(std::string_view authorization, std::string_view key);

} // namespace drovane
