#include "window/file_pattern.h"

#include <gtest/gtest.h>

#include <string>

using drovane::matchesFilePattern;

namespace {

struct Case {
    const char* name;
    const char* pattern;
    bool matches;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(matchesFilePattern(c.name, c.pattern), c.matches)
            << c.name << " against " << c.pattern;
    }
}

TEST(FilePattern, WildcardsMatchRegardlessOfLetterCase) {
    expectAll({
        {"P1.NC", "*.nc", true},
        {"p1.nc", "P?.NC", true},
        {"ÄNDERUNG.NC", "änderung.nc", true},
        {"ŁÓDŹ.nc", "łódź.*", true},
        {"Зуб.nc", "ЗУБ.NC", true},
        {"P10.nc", "P?.nc", false},
        {"P1.nc.bak", "*.nc", false},
        {"P1.tap", "*.nc", false},
        {"P1.n", "*.nc", false},
        {"P1.nc", "P1*", true},
        {"P10.tap", "P1*", true},
        {"XP1", "P1*", false},
        {"P1.nc", "P1.nc", true},
        {"P1.nc", "", false},
        {"Ä.nc", "?.nc", true},
    });
}

TEST(FilePattern, StarsBacktrackAcrossRepeatedLetters) {
    expectAll({
        {"aab", "*ab", true},
        {"aXbYbZc", "a*b*c", true},
        {"aXbYbZ", "a*b*c", false},
        {"abcabd", "*ab?", true},
        {"", "*", true},
        {"x", "**?**", true},
        {"", "?", false},
    });
    const std::string longName(5000, 'a');
    EXPECT_FALSE(matchesFilePattern(longName, "*a*a*a*a*a*a*b"));
}

TEST(FilePattern, DotStarAlsoTakesNamesWithoutDot) {
    expectAll({
        {"P1", "*.*", true},
        {"P1.nc", "*.*", true},
        {"a.b.c", "*.*", true},
        {"P1", "p1.*", true},
        {"P1.nc", "P1.*", true},
        {"P10", "P1.*", false},
    });
}

TEST(FilePattern, TrailingDotTakesNamesWithoutExtension) {
    expectAll({
        {"P1", "*.", true},
        {"README", "*.", true},
        {"P1.nc", "*.", false},
        {"a.b.c", "*.", false},
        {"p1", "P1.", true},
        {"P2", "P1.", false},
    });
}

// Names the file system hands over need not be valid UTF-8 on Linux.
TEST(FilePattern, BrokenUtf8MatchesByteForByte) {
    expectAll({
        {"P\xff.nc", "*.nc", true},
        {"P\xff.nc", "P?.nc", true},
        {"P\xff.nc", "P\xfe.nc", false},
        {"\xc3.nc", "\xc3.NC", true},
    });
}

} // namespace
