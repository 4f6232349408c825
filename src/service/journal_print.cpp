#include "service/journal.h"

#include "service/time_stamp.h"
#include "transfer/sentence.h"
#include "window/utf8_path.h"

#include <array>
#include <cstdio>
#include <deque>
#include <fstream>
#include <vector>

namespace drovane {
namespace {

constexpr std::string_view kUnreadable = "Das Journal {} kann nicht gelesen werden.";
constexpr std::string_view kBadLine = "Zeile {} des Journals ist kein gültiger Eintrag.";

std::string readableLine(const JournalEntry& entry) {
    std::array<char, 32> seconds{};
    std::snprintf(seconds.data(), seconds.size(), "%.1f s", entry.seconds);
    std::string line = isoTimeStamp(entry.time) + "  " + entry.machine + "  " + entry.port + "  " +
                       entry.kind + "  " + entry.file + "  " + std::to_string(entry.bytes) +
                       " Bytes  CRC " + crc32Text(entry.crc32) + "  " + seconds.data() + "  " +
                       entry.result;
    if (!entry.detail.empty()) {
        line += "  " + entry.detail;
    }
    return line;
}

} // namespace

std::optional<std::vector<JournalEntry>> readJournal(const std::filesystem::path& journalFile,
                                                     const JournalQuery& query) {
    std::ifstream in(journalFile, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::deque<JournalEntry> kept;
    std::string line;
    while (std::getline(in, line)) {
        auto entry = parseJournalLine(line);
        if (!entry || (query.machine && entry->machine != *query.machine)) {
            continue;
        }
        kept.push_back(std::move(*entry));
        if (query.last && kept.size() > *query.last) {
            kept.pop_front();
        }
    }
    return std::vector<JournalEntry>(kept.begin(), kept.end());
}

int printJournal(const std::filesystem::path& journalFile, const JournalQuery& query,
                 std::ostream& out) {
    std::ifstream in(journalFile, std::ios::binary);
    if (!in) {
        out << fill(kUnreadable, utf8FromPath(journalFile)) << '\n';
        return 1;
    }
    std::deque<std::string> shown;
    std::vector<std::string> faults;
    std::string line;
    for (std::int64_t number = 1; std::getline(in, line); ++number) {
        if (line.empty()) {
            continue;
        }
        const auto entry = parseJournalLine(line);
        if (!entry) {
            faults.push_back(fill(kBadLine, number));
            continue;
        }
        if (query.machine && entry->machine != *query.machine) {
            continue;
        }
        shown.push_back(readableLine(*entry));
        if (query.last && shown.size() > *query.last) {
            shown.pop_front();
        }
    }
    for (const auto& text : shown) {
        out << text << '\n';
    }
    for (const auto& text : faults) {
        out << text << '\n';
    }
    return faults.empty() ? 0 : 1;
}

} // namespace drovane
