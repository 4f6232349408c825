#pragma once

// The one line drovane-cli leaves on standard error when it crashes, built
// without allocating, since the heap or the stack may be what failed.

#include <cstddef>
#include <cstdint>
#include <span>

namespace drovane {

// "drovane-cli: Programmfehler 0xC0000005 Zeile: 42" and a newline, cut to
// fit `buffer`. Returns the bytes written.
std::size_t formatCrashLine(std::span<char> buffer, std::uint32_t faultCode,
                            std::int32_t line) noexcept;

} // namespace drovane
