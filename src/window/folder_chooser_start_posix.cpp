#include "window/folder_chooser_start.h"

namespace drovane {

std::string_view folderChooserStart() {
    return "/";
}

} // namespace drovane
