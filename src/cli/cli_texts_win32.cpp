#include "cli/cli_texts.h"

namespace drovane::cli_text {

const std::string_view kPortExamples =
    "COM1, COM12,\n                  VIRTUELL oder rfc2217://Rechner:Port\n                  bzw. "
    "socket://Rechner:Port (Geräteserver im Netz)";
const std::string_view kInterruptHelp =
    "Strg+C, Strg+Pause oder das Schließen des Fensters bricht eine Übertragung ab;\n"
    "ein zweites Mal beendet das Programm sofort.\n";

} // namespace drovane::cli_text
