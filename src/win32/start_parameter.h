#pragma once

// The one command-line input: the first parameter, a program file to open.

#include <string>

namespace drovane {

// The first parameter after the program's name, as Windows splits a command
// line (quotes around blanks dropped), in Windows-1252 bytes; characters that
// code page cannot carry become '?'. Empty when there is none.
std::string startParameterOf(const wchar_t* commandLine);

} // namespace drovane
