#pragma once

// The widget boundary: Windows-1252 bytes become QString and back, and texts
// that name files become the bytes the file system uses.

#include <QString>
#include <string>
#include <string_view>

namespace drovane {

QString qStringFromWindows1252(std::string_view bytes);
std::string windows1252FromQString(const QString& text);

// UTF-8, as the window logic holds its texts.
QString qStringFromUtf8(std::string_view text);

std::string localPathBytes(const QString& path);
QString qStringFromLocalPath(std::string_view bytes);

} // namespace drovane
