#include "win32/program_start.h"
#include "win32/window_start.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    return drovane::runProgram(GetCommandLineW(), [&](std::string startParameter) {
        return drovane::runWindow(instance, showCommand, startParameter);
    });
}
