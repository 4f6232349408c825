// Temporary entry point: shows the window with nothing behind it yet, until
// the start-up (single instance, fatal handler) and the window logic join it.

#include "win32/run_main_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    const auto ignore = [](std::string_view /*control*/, drovane::Trigger /*trigger*/) {
    };
    return drovane::runMainWindow(instance, showCommand, false, ignore, {});
}
