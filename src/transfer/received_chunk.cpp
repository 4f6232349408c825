#include "transfer/received_chunk.h"

#include <string>

namespace drovane {

ReceivedChunk scanReceivedChunk(std::string_view bytes, unsigned char endCharacter) {
    ReceivedChunk chunk;
    if (endCharacter != 0) {
        const auto end = bytes.find(static_cast<char>(endCharacter));
        if (end != std::string_view::npos) {
            bytes = bytes.substr(0, end);
            chunk.endFound = true;
        }
    }
    chunk.text.reserve(bytes.size());
    // Runs between NUL bytes are copied whole: most chunks hold none.
    while (!bytes.empty()) {
        const auto nul = bytes.find('\0');
        chunk.text.append(bytes.substr(0, nul));
        if (nul == std::string_view::npos) {
            break;
        }
        chunk.heldNul = true;
        bytes.remove_prefix(nul + 1);
    }
    return chunk;
}

void removeControlCharacters(std::string& text) {
    std::erase_if(text, [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code >= 1 && code <= 31 && code != '\n' && code != '\r';
    });
}

} // namespace drovane
