#include "qt/qt_text.h"

#include "core/text.h"

#include <QFile>
#include <array>

namespace drovane {
namespace {

// Built once: a 20 MB program is converted by table lookups alone.
const std::array<char16_t, 256>& unicodeTable() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (unsigned byte = 0; byte < t.size(); ++byte) {
            t[byte] =
                static_cast<char16_t>(unicodeFromWindows1252(static_cast<unsigned char>(byte)));
        }
        return t;
    }();
    return table;
}

} // namespace

QString qStringFromWindows1252(std::string_view bytes) {
    const auto& table = unicodeTable();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        *out++ = QChar(table[static_cast<unsigned char>(byte)]);
    }
    return text;
}

std::string windows1252FromQString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text) {
        bytes.push_back(static_cast<char>(windows1252FromUnicode(character.unicode())));
    }
    return bytes;
}

QString qStringFromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string localPathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString qStringFromLocalPath(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace drovane
