#pragma once

// The box text of a fatal fault, built without allocating so that a signal
// handler may build it.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace drovane {

// text + " Zeile: " + line in decimal, cut to fit and always NUL-terminated.
// Returns the length written (without the NUL).
std::size_t formatFatalMessage(char* buffer, std::size_t size, std::string_view text,
                               std::int32_t line) noexcept;

} // namespace drovane
