#pragma once

// A name from the settings file as the terminal is given it: UTF-8, with
// every control character written as \xHH, so that a byte such as ESC in a
// group name can neither redraw the screen nor hide the rest of a line.

#include <string>
#include <string_view>

namespace drovane {

// `windows1252` as the settings hold it. The bytes below 32, DEL and the
// five bytes Windows-1252 leaves undefined (they would reach the terminal
// as C1 controls) are escaped.
std::string terminalText(std::string_view windows1252);

} // namespace drovane
