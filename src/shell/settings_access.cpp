#include "shell/settings_access.h"

#include "core/text.h"
#include "profiles/settings_file.h"
#include "shell/qt_text.h"

namespace drovane {

QString readTopLevelSetting(const QString& settingsPath, const QString& key,
                            const QString& fallback) {
    SettingsFile settings;
    settings.open(localPathBytes(settingsPath));
    const std::string value =
        settings.readValue(windows1252FromQString(key), windows1252FromQString(fallback));
    settings.close();
    return qStringFromWindows1252(value);
}

bool writeTopLevelSetting(const QString& settingsPath, const QString& key, const QString& value) {
    SettingsFile settings;
    settings.open(localPathBytes(settingsPath));
    settings.writeValue(windows1252FromQString(key), windows1252FromQString(value));
    return settings.close();
}

bool boldFontChosen(const QString& settingsPath) {
    const QString value =
        readTopLevelSetting(settingsPath, QStringLiteral("BoldFont"), QStringLiteral("0"));
    return parseNumber(windows1252FromQString(value)) == 1;
}

} // namespace drovane
