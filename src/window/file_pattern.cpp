#include "window/file_pattern.h"

#include "window/unicode_case.h"

namespace drovane {
namespace {

// Both texts are case-folded already. One backtracking point (the last "*")
// is enough for "*" and "?", which keeps the match linear in practice and
// never exponential.
bool wildcardMatch(std::u32string_view name, std::u32string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::u32string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::u32string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

FilePattern::FilePattern(std::string_view pattern) : m_folded(foldedCase(pattern)) {}

bool FilePattern::matches(std::string_view name) const {
    const std::u32string folded = foldedCase(name);
    if (wildcardMatch(folded, m_folded)) {
        return true;
    }
    if (folded.find(U'.') != std::u32string::npos) {
        return false;
    }
    // Dotless names: "stem.*" and "stem." stand for the stem alone.
    const std::u32string_view whole(m_folded);
    if (whole.ends_with(U".*")) {
        return wildcardMatch(folded, whole.substr(0, whole.size() - 2));
    }
    if (whole.ends_with(U'.')) {
        return wildcardMatch(folded, whole.substr(0, whole.size() - 1));
    }
    return false;
}

bool matchesFilePattern(std::string_view name, std::string_view pattern) {
    return FilePattern(pattern).matches(name);
}

} // namespace drovane
