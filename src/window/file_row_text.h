#pragma once

#include <string>

namespace drovane {

// One row of the file list as shown: the four column texts, UTF-8.
struct FileRowText {
    std::string name;
    std::string size;
    std::string type;
    std::string modified;
};

} // namespace drovane
