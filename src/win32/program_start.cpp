#include "win32/program_start.h"

#include "win32/fatal_error_handler.h"
#include "win32/hand_over_path.h"
#include "win32/hand_over_send.h"
#include "win32/instance_mutex.h"
#include "win32/start_parameter.h"

namespace drovane {

int runProgram(const wchar_t* commandLine, const WindowRun& runWindow) {
    installFatalErrorHandler();
    std::string startParameter = startParameterOf(commandLine);
    // Held, never released, until the process ends.
    const InstanceMutex instance;
    if (instance.anotherInstanceRuns()) {
        // Whether or not a window took it, the second start ends.
        sendHandOver(handOverPath(startParameter));
        return 0;
    }
    if (!runWindow(std::move(startParameter))) {
        RaiseFatal(FunctionCallFailed);
    }
    return 0;
}

} // namespace drovane
