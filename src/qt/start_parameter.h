#pragma once

// The one command-line input: the first parameter, a program file to open.

#include <span>
#include <string>
#include <string_view>

namespace drovane {

// The first parameter of a command-line text: parameters are separated by
// blanks; one that begins with a double quote runs to the next double quote
// (or the end) and is taken without the quotes. Empty when there is none.
std::string firstParameter(std::string_view commandLine);

// `StartParameter` from the arguments after the program name. The shell has
// already split and unquoted them, so the first argument is taken as it is,
// blanks included. Only a first argument that still begins with a double
// quote (a caller that quoted for Windows) is read by the rule above, over
// all arguments joined by blanks, since its closing quote may sit in a later
// one.
std::string startParameter(std::span<const std::string_view> arguments);

} // namespace drovane
