#include "cli/cli_texts.h"

namespace drovane::cli_text {

const std::string_view kPortExamples =
    "ttyUSB0, COM1,\n                  /dev/ttyS0, VIRTUELL oder rfc2217://Rechner:Port\n          "
    "        bzw. socket://Rechner:Port (Geräteserver im Netz)";
const std::string_view kInterruptHelp =
    "Strg+C (SIGINT) oder SIGTERM bricht eine Übertragung ab; ein zweites Signal\n"
    "beendet das Programm sofort.\n";

} // namespace drovane::cli_text
