#pragma once

// A machine name as the operator typed it, made fit for a group header of the
// settings file.

#include <QString>
#include <optional>

namespace drovane {

// Leading and trailing blanks and tabs removed; nullopt for a name the file
// cannot carry back: nothing but blanks, a "]" (it would end the header), a
// control character, or a character Windows-1252 does not have.
std::optional<QString> storableMachineName(const QString& typed);

} // namespace drovane
