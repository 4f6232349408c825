#include "shell/file_pattern.h"

#include <QStringView>

namespace drovane {
namespace {

// Both texts are case-folded already. One backtracking point (the last "*")
// is enough for "*" and "?", which keeps the match linear in practice and
// never exponential.
bool wildcardMatch(QStringView name, QStringView pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool matchesFilePattern(const QString& name, const QString& pattern) {
    const QString foldedName = name.toCaseFolded();
    const QString foldedPattern = pattern.toCaseFolded();
    if (wildcardMatch(foldedName, foldedPattern)) {
        return true;
    }
    if (foldedName.contains(u'.')) {
        return false;
    }
    // Dotless names: "stem.*" and "stem." stand for the stem alone.
    const QStringView whole(foldedPattern);
    if (whole.endsWith(u".*")) {
        return wildcardMatch(foldedName, whole.chopped(2));
    }
    if (whole.endsWith(u'.')) {
        return wildcardMatch(foldedName, whole.chopped(1));
    }
    return false;
}

} // namespace drovane
