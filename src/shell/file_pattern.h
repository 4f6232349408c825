#pragma once

#include <QString>

namespace drovane {

// Matches a file name against a list pattern the way the operators know it
// from Windows: "*" is any run of characters, "?" exactly one, and letter
// case never matters (P1.NC shows under "*.nc"). Two Windows habits are kept:
// a pattern ending in ".*" also takes names without any dot ("*.*" shows
// every file, "P1.*" shows P1), and a pattern ending in "." takes names
// without an extension ("*." shows P1 but not P1.nc).
bool matchesFilePattern(const QString& name, const QString& pattern);

} // namespace drovane
