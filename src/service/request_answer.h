#pragma once

// What a machine gets for a "(PRG=name)" request: a file of its send folder,
// the folder's list for "DIRLIST", or a short program telling why not.
// Nothing outside the send folder is ever chosen.

#include "service/service_settings.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

inline constexpr std::string_view DirectoryListRequest = "DIRLIST";
inline constexpr std::size_t LongestRequestedName = 64;

enum class RequestOutcome : std::uint8_t {
    SendFile, // send `file` as the window sends a program
    SendText, // send `text` (the folder's list)
    NotFound,
    Refused,
};

struct RequestAnswer {
    RequestOutcome outcome = RequestOutcome::NotFound;
    std::filesystem::path file;
    // SendText: the list. NotFound/Refused: the answer program when the
    // machine wants one ("Antwort_bei_Fehler"), else empty. 8-bit bytes.
    std::string text;
    // The journal's result for NotFound/Refused ("nicht gefunden",
    // "abgelehnt"); empty when something is to be sent.
    std::string result;
};

// A name with "/", "\", ":", "..", a control character or more than 64
// characters is refused. The lookup tries the name, the name with the
// pattern's extension and, for a number, "O" + number + extension; on Windows
// without regard to letter case.
RequestAnswer answerRequest(std::string_view name, const ServedMachine& machine,
                            std::string_view pattern);

// Whether the requested name may be looked up at all.
bool isAcceptableRequest(std::string_view name);

} // namespace drovane
