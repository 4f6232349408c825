#pragma once

// One top-level key of the settings file, read or written in one short use
// (open, access, close). Keys and values are UTF-8 here, Windows-1252 in the
// file.

#include <string>
#include <string_view>

namespace drovane {

std::string readTopLevelSetting(std::string_view settingsPath, std::string_view key,
                                std::string_view fallback);
// False when the file could not be written; the caller tells the operator.
[[nodiscard]] bool writeTopLevelSetting(std::string_view settingsPath, std::string_view key,
                                        std::string_view value);

// "BoldFont" counts only when its number is exactly 1 ("1", "01", "$1").
bool boldFontChosen(std::string_view settingsPath);

} // namespace drovane
