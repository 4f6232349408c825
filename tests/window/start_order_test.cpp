// The order of a start and where a second start ends.

#include "window/start_order.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace drovane::testing {
namespace {

using Steps = std::vector<std::string>;

struct RecordedStart {
    Steps done;
    std::string parameter;
    bool secondInstance = false;

    StartSteps steps() {
        StartSteps steps;
        steps.prepare = [this] {
            done.emplace_back("prepare");
        };
        steps.startParameter = [this] {
            done.emplace_back("parameter");
            return parameter;
        };
        steps.handedOverToRunningInstance = [this](const std::string& handed) {
            done.push_back("hand over? " + handed);
            return secondInstance;
        };
        steps.showWindow = [this] {
            done.emplace_back("window");
        };
        steps.openStartFile = [this](const std::string& path) {
            done.push_back("open " + path);
        };
        steps.restoreSavedState = [this](bool hasStartFile) {
            done.push_back(hasStartFile ? "restore after file" : "restore");
        };
        steps.finishWindow = [this] {
            done.emplace_back("finish");
        };
        steps.receiveHandOvers = [this] {
            done.emplace_back("receive");
        };
        return steps;
    }
};

TEST(StartOrderTest, EachKindOfStartTakesItsSteps) {
    const struct {
        const char* parameter;
        bool secondInstance;
        StartOutcome outcome;
        Steps done;
    } cases[] = {
        {"",
         false,
         StartOutcome::WindowRuns,
         {"prepare", "parameter", "hand over? ", "window", "restore", "finish", "receive"}},
        {"/nc/P1.nc",
         false,
         StartOutcome::WindowRuns,
         {"prepare", "parameter", "hand over? /nc/P1.nc", "window", "open /nc/P1.nc",
          "restore after file", "finish", "receive"}},
        {"/nc/P1.nc",
         true,
         StartOutcome::HandedOver,
         {"prepare", "parameter", "hand over? /nc/P1.nc"}},
        {"", true, StartOutcome::HandedOver, {"prepare", "parameter", "hand over? "}},
    };
    for (const auto& c : cases) {
        RecordedStart start{{}, c.parameter, c.secondInstance};
        EXPECT_EQ(runStartOrder(start.steps()), c.outcome) << c.parameter;
        EXPECT_EQ(start.done, c.done) << c.parameter;
    }
}

} // namespace
} // namespace drovane::testing
