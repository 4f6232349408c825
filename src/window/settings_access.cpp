#include "window/settings_access.h"

#include "core/text.h"
#include "profiles/profile_keys.h"
#include "profiles/settings_file.h"
#include "window/shown_text.h"

namespace drovane {

std::string readTopLevelSetting(std::string_view settingsPath, std::string_view key,
                                std::string_view fallback) {
    SettingsFile settings;
    settings.open(pathFromShown(settingsPath));
    const std::string value =
        settings.readValue(windows1252FromUtf8(key), windows1252FromUtf8(fallback));
    settings.close();
    return utf8FromWindows1252(value);
}

bool writeTopLevelSetting(std::string_view settingsPath, std::string_view key,
                          std::string_view value) {
    SettingsFile settings;
    settings.open(pathFromShown(settingsPath));
    settings.writeValue(windows1252FromUtf8(key), windows1252FromUtf8(value));
    return settings.close();
}

bool boldFontChosen(std::string_view settingsPath) {
    return parseNumber(
               readTopLevelSetting(settingsPath, BoldFontKey.key, BoldFontKey.defaultValue)) == 1;
}

} // namespace drovane
