#include "service/journal.h"

namespace drovane {

struct Journal::Stream {};

std::uint32_t crc32Of(std::string_view /*bytes*/) {
    return 0;
}

std::string journalLine(const JournalEntry& /*entry*/) {
    return {};
}

std::optional<JournalEntry> parseJournalLine(std::string_view /*line*/) {
    return std::nullopt;
}

Journal::Journal(std::filesystem::path file) : file_(std::move(file)) {}

Journal::~Journal() = default;

bool Journal::append(const JournalEntry& /*entry*/) {
    return false;
}

int printJournal(const std::filesystem::path& /*journalFile*/, const JournalQuery& /*query*/,
                 std::ostream& /*out*/) {
    return 1;
}

} // namespace drovane
