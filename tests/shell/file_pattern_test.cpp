#include "shell/file_pattern.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

using drovane::matchesFilePattern;

TEST(FilePattern, WildcardsMatchRegardlessOfLetterCase) {
    EXPECT_TRUE(matchesFilePattern("P1.NC", "*.nc"));
    EXPECT_TRUE(matchesFilePattern("p1.nc", "P?.NC"));
    EXPECT_TRUE(matchesFilePattern("ÄNDERUNG.NC", "änderung.nc"));
    EXPECT_FALSE(matchesFilePattern("P10.nc", "P?.nc"));
    EXPECT_FALSE(matchesFilePattern("P1.nc.bak", "*.nc"));
    EXPECT_FALSE(matchesFilePattern("P1.tap", "*.nc"));
    EXPECT_FALSE(matchesFilePattern("P1.n", "*.nc"));
    EXPECT_TRUE(matchesFilePattern("P1.nc", "P1*"));
    EXPECT_TRUE(matchesFilePattern("P10.tap", "P1*"));
    EXPECT_FALSE(matchesFilePattern("XP1", "P1*"));
    EXPECT_TRUE(matchesFilePattern("P1.nc", "P1.nc"));
    EXPECT_FALSE(matchesFilePattern("P1.nc", ""));
}

TEST(FilePattern, StarsBacktrackAcrossRepeatedLetters) {
    EXPECT_TRUE(matchesFilePattern("aab", "*ab"));
    EXPECT_TRUE(matchesFilePattern("aXbYbZc", "a*b*c"));
    EXPECT_FALSE(matchesFilePattern("aXbYbZ", "a*b*c"));
    EXPECT_TRUE(matchesFilePattern("abcabd", "*ab?"));
    EXPECT_TRUE(matchesFilePattern("", "*"));
    EXPECT_TRUE(matchesFilePattern("x", "**?**"));
    EXPECT_FALSE(matchesFilePattern("", "?"));
    const QString longName(5000, QChar(u'a'));
    EXPECT_FALSE(matchesFilePattern(longName, "*a*a*a*a*a*a*b"));
}

TEST(FilePattern, DotStarAlsoTakesNamesWithoutDot) {
    EXPECT_TRUE(matchesFilePattern("P1", "*.*"));
    EXPECT_TRUE(matchesFilePattern("P1.nc", "*.*"));
    EXPECT_TRUE(matchesFilePattern("a.b.c", "*.*"));
    EXPECT_TRUE(matchesFilePattern("P1", "p1.*"));
    EXPECT_TRUE(matchesFilePattern("P1.nc", "P1.*"));
    EXPECT_FALSE(matchesFilePattern("P10", "P1.*"));
}

TEST(FilePattern, TrailingDotTakesNamesWithoutExtension) {
    EXPECT_TRUE(matchesFilePattern("P1", "*."));
    EXPECT_TRUE(matchesFilePattern("README", "*."));
    EXPECT_FALSE(matchesFilePattern("P1.nc", "*."));
    EXPECT_FALSE(matchesFilePattern("a.b.c", "*."));
    EXPECT_TRUE(matchesFilePattern("p1", "P1."));
    EXPECT_FALSE(matchesFilePattern("P2", "P1."));
}
