#pragma once

// The journal: one JSON object per finished transfer, one line each, written
// and flushed at once, so an audit sees every transfer even after a crash.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

// Texts are UTF-8.
struct JournalEntry {
    std::chrono::system_clock::time_point time;
    std::string machine;
    std::string port;
    std::string kind; // "empfangen", "gesendet", "anfrage", "unvollstaendig"
    std::string file; // the path written or sent, or the requested name
    std::uint64_t bytes = 0;
    std::uint32_t crc32 = 0; // of those bytes
    double seconds = 0;
    std::string result;
    std::string detail; // the last job line on failure, else empty

    bool operator==(const JournalEntry&) const = default;
};

std::uint32_t crc32Of(std::string_view bytes);
// 8 lower-case hex digits.
std::string crc32Text(std::uint32_t crc);

// The entry as its journal line, without the line end; texts that are no
// valid UTF-8 get replacement characters rather than failing.
std::string journalLine(const JournalEntry& entry);
// nullopt for a line that is no journal entry.
std::optional<JournalEntry> parseJournalLine(std::string_view line);

// Appends from any thread; several services may append to one file.
class Journal {
public:
    explicit Journal(std::filesystem::path file);
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal();

    // False when the line could not be written whole.
    bool append(const JournalEntry& entry);
    const std::filesystem::path& file() const { return file_; }
    // Called after each written entry, under the journal's lock: the board
    // shows the entries as they come.
    void watch(std::function<void(const JournalEntry&)> watcher);

private:
    struct Stream;
    std::filesystem::path file_;
    std::mutex mutex_;
    std::unique_ptr<Stream> stream_;
    std::function<void(const JournalEntry&)> watcher_;
};

struct JournalQuery {
    std::optional<std::string> machine; // UTF-8
    std::optional<std::size_t> last;
};

// `drovane-dnc journal`: the entries, oldest first, one readable line each,
// and a line for each line that does not parse; 0, or 1 when the file cannot
// be read or holds such a line.
// The entries, oldest first, that the query asks for; lines that do not
// parse are left out. nullopt when the file cannot be read.
std::optional<std::vector<JournalEntry>> readJournal(const std::filesystem::path& journalFile,
                                                     const JournalQuery& query);

int printJournal(const std::filesystem::path& journalFile, const JournalQuery& query,
                 std::ostream& out);

} // namespace drovane
