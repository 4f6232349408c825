#include "qt/fatal_box.h"
#include "qt/startup.h"

int main(int argc, char* argv[]) {
    // The box of a faulted instance runs in a process of its own.
    if (drovane::isFatalBoxCall(argc, argv)) {
        return drovane::runFatalBox(argc, argv);
    }
    return drovane::runApplication(argc, argv);
}
