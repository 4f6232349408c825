#pragma once

// One top-level key of the settings file, read or written in one short use
// (open, access, close). Values are shown as Unicode, stored as Windows-1252.

#include <QString>

namespace drovane {

QString readTopLevelSetting(const QString& settingsPath, const QString& key,
                            const QString& fallback);
// False when the file could not be written; the caller tells the operator.
[[nodiscard]] bool writeTopLevelSetting(const QString& settingsPath, const QString& key,
                                        const QString& value);

// "BoldFont" counts only when its number is exactly 1 ("1", "01", "$1").
bool boldFontChosen(const QString& settingsPath);

} // namespace drovane
