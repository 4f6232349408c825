#include "qt/start_parameter.h"

#include <gtest/gtest.h>

#include <vector>

using drovane::firstParameter;
using drovane::startParameter;

TEST(StartParameter, TheCommandLineRule) {
    EXPECT_EQ(firstParameter(""), "");
    EXPECT_EQ(firstParameter("   "), "");
    EXPECT_EQ(firstParameter("/nc/P1.nc"), "/nc/P1.nc");
    EXPECT_EQ(firstParameter("  /nc/P1.nc /nc/P2.nc"), "/nc/P1.nc");
    EXPECT_EQ(firstParameter("\"/nc/mit Blank.nc\" zwei"), "/nc/mit Blank.nc");
    EXPECT_EQ(firstParameter("\"/nc/offen bis Ende"), "/nc/offen bis Ende");
    EXPECT_EQ(firstParameter("\"\" zwei"), "");
}

TEST(StartParameter, ArgumentsTheShellSplitAlready) {
    using Args = std::vector<std::string_view>;
    EXPECT_EQ(startParameter(Args{}), "");
    EXPECT_EQ(startParameter(Args{"/nc/mit Blank.nc", "/nc/P2.nc"}), "/nc/mit Blank.nc");
    EXPECT_EQ(startParameter(Args{""}), "");
    // Quoted for Windows and split by blanks on the way here.
    EXPECT_EQ(startParameter(Args{"\"/nc/mit", "Blank.nc\"", "x"}), "/nc/mit Blank.nc");
    EXPECT_EQ(startParameter(Args{"\"/nc/mit Blank.nc\""}), "/nc/mit Blank.nc");
}
