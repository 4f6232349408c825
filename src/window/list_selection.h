#pragma once

// How a drop-down list of the settings tab takes a stored text and gives it
// back. Texts are UTF-8.

#include "window/window_view.h"

#include <string>
#include <string_view>

namespace drovane {

// A fixed list: an empty text clears the selection; otherwise the first entry
// equal without regard to letter case is selected, and with none the
// selection stays as it was.
void setListText(WindowView& view, std::string_view list, std::string_view text);

// A list that grows from the file (port, buffer sizes): an empty text clears
// the selection; otherwise the first entry equal letter for letter is
// selected, or the text becomes the new first entry and is selected.
void setExtendedListText(WindowView& view, std::string_view list, std::string_view text);

// The selected entry, or "" with none.
std::string listText(const WindowView& view, std::string_view list);

} // namespace drovane
