#pragma once

// What one read of a reception adds to the program: the bytes in order with
// NUL bytes dropped, up to the end character if it is among them.

#include <string>
#include <string_view>

namespace drovane {

struct ReceivedChunk {
    std::string text;
    // A NUL byte was dropped (leader or trailer).
    bool heldNul = false;
    // The end character came: `text` is what stood before it; it and the
    // rest of the chunk are discarded.
    bool endFound = false;
};

// `endCharacter` 0 means none. Bytes 0x80 to 0xFF, CR and LF pass unchanged.
ReceivedChunk scanReceivedChunk(std::string_view bytes, unsigned char endCharacter);

// The receive filter: every byte 1 to 31 except LF and CR removed.
void removeControlCharacters(std::string& text);

} // namespace drovane
