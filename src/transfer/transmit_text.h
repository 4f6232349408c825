#pragma once

// The one place where the bytes sent differ from the program as loaded:
// filters, then the profile's strings at line ends, program start, program
// end and behind the first M02 and the first M30.

#include <string>
#include <string_view>

namespace drovane {

struct TransmitOptions {
    bool percentFilter = false; // "[%] Zeichen ausfiltern" is "Ja"
    bool controlFilter = false; // "St.Zeichen Hex(00-1F) ausfiltern" is "Ja"
    std::string afterLine;      // S_line
    std::string beforeProgram;  // S_begin
    std::string afterProgram;   // S_end
    std::string afterEndCode;   // S_code
};

// Returns the text to send; the program text itself stays as loaded, so a
// second send never carries the strings twice. An empty string option takes
// no part; a string of blanks does. Linear in the size of the result; throws
// only std::bad_alloc when the result does not fit in memory.
std::string prepareTransmitText(std::string_view programText, const TransmitOptions& options);

} // namespace drovane
