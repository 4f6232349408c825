#pragma once

// Matches file names against a list pattern the way the operators know it
// from Windows: "*" is any run of characters, "?" exactly one, and letter
// case never matters (P1.NC shows under "*.nc"). Two Windows habits are kept:
// a pattern ending in ".*" also takes names without any dot ("*.*" shows
// every file, "P1.*" shows P1), and a pattern ending in "." takes names
// without an extension ("*." shows P1 but not P1.nc). Texts are UTF-8.

#include <string>
#include <string_view>

namespace drovane {

class FilePattern {
public:
    explicit FilePattern(std::string_view pattern);
    bool matches(std::string_view name) const;

private:
    std::u32string m_folded;
};

bool matchesFilePattern(std::string_view name, std::string_view pattern);

} // namespace drovane
