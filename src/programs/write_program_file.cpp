#include "programs/program_file.h"

namespace drovane {

bool writeProgramFileAtomically(const std::filesystem::path& path, std::string_view text,
                                WriteCall writeCall) {
    return writeFileAtomically(path, text, writeCall);
}

} // namespace drovane
