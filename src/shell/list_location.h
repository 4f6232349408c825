#pragma once

#include <QString>

namespace drovane {

// Where the file list looks: a directory text ending in "/" (empty for the
// drives view) and the pattern its files must match.
struct ListLocation {
    QString directory;
    QString pattern = QStringLiteral("*.*");

    friend bool operator==(const ListLocation&, const ListLocation&) = default;
};

// The rule for pointing the list at a text; "\" counts as "/".
// (a) no separator: the text becomes the pattern;
// (b) ends in a separator: the text becomes the directory, the pattern stays;
// (c) otherwise: split after the last separator into directory and pattern.
// The empty text is the empty directory (the drives view); the pattern stays,
// so re-pointing the drives view at its own directory keeps the pattern.
ListLocation applyLocationText(const ListLocation& current, const QString& text);

// An absolute, clean directory text ending in "/"; relative texts are taken
// from the working directory. The empty text stays empty.
QString normalizedDirectory(const QString& directory);

// The directory one level up; "" (the drives view) above "/".
QString parentDirectory(const QString& directory);

} // namespace drovane
