#pragma once

// The board's data as JSON and as the page the server renders, so that the
// page reads without JavaScript. Every text is escaped where it lands.

#include "service/board_source.h"
#include "service/journal.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

std::string escapeHtml(std::string_view text);

std::string machinesJson(const std::vector<BoardMachine>& machines,
                         std::chrono::steady_clock::time_point now);
std::string journalJson(const std::vector<JournalEntry>& entries);

inline constexpr std::size_t kJournalRowsShown = 100;

struct BoardView {
    std::vector<BoardMachine> machines;
    // Oldest first; more than are shown, so that each machine's last
    // transfer is among them.
    std::vector<JournalEntry> journal;
    std::string machineFilter; // UTF-8; empty: every machine
    bool actions = false;      // a key is set
};

std::string boardPage(const BoardView& view, std::chrono::steady_clock::time_point now);

} // namespace drovane
