#include "service/journal.h"

#include <zlib.h>

#include <array>
#include <cstdio>

namespace drovane {

std::uint32_t crc32Of(std::string_view bytes) {
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    return static_cast<std::uint32_t>(crc32_z(crc32_z(0, nullptr, 0), data, bytes.size()));
}

std::string crc32Text(std::uint32_t crc) {
    std::array<char, 9> text{};
    std::snprintf(text.data(), text.size(), "%08x", static_cast<unsigned>(crc));
    return text.data();
}

} // namespace drovane
