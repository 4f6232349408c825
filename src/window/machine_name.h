#pragma once

// A machine name as the operator typed it, made fit for a group header of the
// settings file.

#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// UTF-8 in and out. Leading and trailing blanks and tabs removed; nullopt for
// a name the file cannot carry back: nothing but blanks, a "]" (it would end
// the header), a control character, or a character Windows-1252 does not have.
std::optional<std::string> storableMachineName(std::string_view typed);

} // namespace drovane
