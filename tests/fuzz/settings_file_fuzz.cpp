// Any bytes must parse without a fault, and what the program writes must read
// back as the same document.

#include "profiles/settings_document.h"
#include "profiles/settings_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const drovane::SettingsDocument first = drovane::parseSettings(bytes);
    const std::string written = drovane::serializeSettings(first);
    const drovane::SettingsDocument second = drovane::parseSettings(written);
    if (!(second == first) || drovane::serializeSettings(second) != written) {
        std::abort();
    }

    if (drovane::latin1FromUtf8(drovane::utf8FromLatin1(bytes)) != bytes) {
        std::abort();
    }
    for (const drovane::SettingsEntry& entry : first.entries) {
        if (drovane::latin1FromUtf8(entry.value).size() > entry.value.size()) {
            std::abort();
        }
    }
    return 0;
}
