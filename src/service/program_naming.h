#pragma once

// What a machine's punch is: a request for a program, or a program whose name
// its content gives. Texts are the machine's 8-bit bytes.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// The name of a "(PRG=name)" comment in the first ten lines, blanks around it
// trimmed; nullopt when there is none, so the text is a program.
std::optional<std::string> requestedProgram(std::string_view text);

// The extension programs get from drovane.ini's "Pattern" ("nc" for "*.nc");
// empty when the pattern has none or a wildcard in it ("*.*").
std::string programExtension(std::string_view pattern);

// The file name a received program is saved under, with "." and `extension`
// (none when empty): the program number "O1234" (also for ":1234") or the
// Heidenhain "BEGIN PGM name" of the first line after "%" and blank lines,
// else "<machine>-<YYYYMMDD-HHMMSS>" (UTC). A content name the save check
// refuses falls back to that; characters no file name may hold in the
// machine's name become "_".
std::string receivedProgramName(std::string_view text, std::string_view machine,
                                std::string_view extension,
                                std::chrono::system_clock::time_point now);

// "<machine>-<YYYYMMDD-HHMMSS>" with the extension, the machine's name made fit.
std::string machineTimeName(std::string_view machine, std::string_view extension,
                            std::chrono::system_clock::time_point now);

} // namespace drovane
