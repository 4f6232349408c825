#include "window/start_order.h"

#include "core/current_line.h"

namespace drovane {

StartOutcome runStartOrder(const StartSteps& steps) {
    markStep();
    steps.prepare();
    const std::string parameter = steps.startParameter();

    markStep();
    if (steps.handedOverToRunningInstance(parameter)) {
        return StartOutcome::HandedOver;
    }

    markStep();
    steps.showWindow();

    markStep();
    const bool hasStartFile = !parameter.empty();
    if (hasStartFile) {
        steps.openStartFile(parameter);
    }
    markStep();
    steps.restoreSavedState(hasStartFile);
    steps.finishWindow();

    markStep();
    steps.receiveHandOvers();
    return StartOutcome::WindowRuns;
}

} // namespace drovane
