#pragma once

// Where the file list looks, and the rule for pointing it at a text. Texts
// are UTF-8; a directory ends in this platform's separator ("/" on Linux,
// "\" with an upper-case drive letter on Windows), and both separators are
// accepted in what the program points the list at.

#include <string>
#include <string_view>

namespace drovane {

struct ListLocation {
    std::string directory; // empty for the drives view
    std::string pattern = "*.*";

    friend bool operator==(const ListLocation&, const ListLocation&) = default;
};

// (a) no separator: the text becomes the pattern;
// (b) ends in a separator: the text becomes the directory, the pattern stays;
// (c) otherwise: split after the last separator into directory and pattern.
// The empty text is the empty directory (the drives view); the pattern stays,
// so re-pointing the drives view at its own directory keeps the pattern.
ListLocation applyLocationText(const ListLocation& current, std::string_view text);

// An absolute, clean directory text ending in the separator; relative texts
// are taken from the working directory. The empty text stays empty.
std::string normalizedDirectory(std::string_view directory);

// The directory one level up; "" (the drives view) above a root. A mounted
// volume's root leads to the folder it is mounted in, as everywhere on Linux.
std::string parentDirectory(std::string_view directory);

} // namespace drovane
