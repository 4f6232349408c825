// What the command line does differently by platform.

#include "cli/cli_texts.h"
#include "cli/crash_report.h"
#include "cli/port_stop_bits.h"
#include "cli/word_path.h"

#include "serial/termios/termios_config.h"

namespace drovane::cli_text {

const std::string_view kPortExamples =
    "ttyUSB0, COM1,\n                  /dev/ttyS0, VIRTUELL oder rfc2217://Rechner:Port\n          "
    "        bzw. socket://Rechner:Port (Geräteserver im Netz)";
const std::string_view kInterruptHelp =
    "Strg+C (SIGINT) oder SIGTERM bricht eine Übertragung ab; ein zweites Signal\n"
    "beendet das Programm sofort.\n";

} // namespace drovane::cli_text

namespace drovane {

void reportCrashes() {}

// A terminal port has no one and a half.
double portStopBits(double profileStopBits) {
    return twoStopBits(profileStopBits) ? 2.0 : 1.0;
}

std::filesystem::path pathFromWord(std::string_view word) {
    return {std::string(word)};
}

std::string shownPath(const std::filesystem::path& path) {
    return path.string();
}

} // namespace drovane
