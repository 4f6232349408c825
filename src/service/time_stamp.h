#pragma once

// Times as the service writes them: into file names and into the journal.
// Always UTC, so that names sort in time order across a change of summer time.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// "YYYYMMDD-HHMMSS"
std::string fileTimeStamp(std::chrono::system_clock::time_point time);
// "YYYY-MM-DDTHH:MM:SSZ"
std::string isoTimeStamp(std::chrono::system_clock::time_point time);
// The other way round; nullopt for a text of another form.
std::optional<std::chrono::system_clock::time_point> parseIsoTimeStamp(std::string_view text);

} // namespace drovane
