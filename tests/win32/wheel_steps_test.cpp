#include "win32/wheel_steps.h"

#include <gtest/gtest.h>

#include <vector>

using namespace drovane;

TEST(WheelSteps, DeltasAddUpToLinesAndATurnBackStartsAfresh) {
    const struct {
        const char* name;
        std::vector<int> deltas;
        std::vector<int> lines;
    } cases[] = {
        {"a notch down", {-120}, {3}},
        {"a notch up", {120}, {-3}},
        {"touchpad steps", {-30, -30, -30, -30}, {0, 1, 1, 1}},
        {"a fine step", {-40}, {1}},
        {"two notches at once", {-240}, {6}},
        {"back before a line was due", {-30, 30, 30}, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        WheelSteps wheel;
        std::vector<int> lines;
        for (const int delta : c.deltas) {
            lines.push_back(wheel.linesFor(delta));
        }
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}
