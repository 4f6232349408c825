#include "core/file_writing.h"

namespace drovane {

bool writeAll(OpenFile& file, std::string_view bytes, WriteCall writeCall) {
    while (!bytes.empty()) {
        const std::ptrdiff_t written = writeCall(file, bytes);
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace drovane
