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

// The file name a received program is saved under, with "." and `extension`
// (none when empty): the program number "O1234" (also for ":1234") or the
// Heidenhain "BEGIN PGM name" of the first line after an optional "%" and
// blank lines, else "<machine>-<YYYYMMDD-HHMMSS>" in UTC. A name the save
// check refuses, or the machine's name with characters no file name may
// hold, falls back to the machine's name with those characters replaced.
std::string receivedProgramName(std::string_view text, std::string_view machine,
                                std::string_view extension,
                                std::chrono::system_clock::time_point now);

// "YYYYMMDD-HHMMSS" in UTC.
std::string fileTimeStamp(std::chrono::system_clock::time_point time);

} // namespace drovane
