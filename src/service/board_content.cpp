#include "service/board_content.h"

#include "service/board_page_assets.h"
#include "service/status_text.h"
#include "service/time_stamp.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace drovane {
namespace {

using Json = nlohmann::json;

// Seconds at the line rate for the bytes of a send still to go; -1 unknown.
std::int64_t remainingSeconds(const BoardMachine& machine) {
    const MachineSnapshot& state = machine.snapshot;
    if (state.activity != MachineActivity::Sending || state.total <= 0 || machine.lineRate <= 0) {
        return -1;
    }
    return std::max<std::int64_t>(0, state.total - state.bytes) / machine.lineRate;
}

Json machineJson(const BoardMachine& machine, std::chrono::steady_clock::time_point now) {
    const MachineSnapshot& state = machine.snapshot;
    return Json{{"name", machine.name},
                {"port", machine.port},
                {"state", activityName(state.activity)},
                {"stateIndex", static_cast<int>(state.activity)},
                {"file", state.file},
                {"bytes", state.bytes},
                {"total", state.total},
                {"bytesPerSecond", bytesPerSecond(state, now)},
                {"remainingSeconds", remainingSeconds(machine)},
                {"since", isoTimeStamp(state.since)}};
}

Json entryJson(const JournalEntry& entry) {
    return Json{{"time", isoTimeStamp(entry.time)},
                {"machine", entry.machine},
                {"port", entry.port},
                {"kind", entry.kind},
                {"file", entry.file},
                {"bytes", entry.bytes},
                {"crc32", crc32Text(entry.crc32)},
                {"seconds", entry.seconds},
                {"result", entry.result},
                {"detail", entry.detail}};
}

std::string dump(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string remainingText(std::int64_t seconds) {
    if (seconds < 0) {
        return "–";
    }
    return std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") +
           std::to_string(seconds % 60);
}

const JournalEntry* lastOf(const std::vector<JournalEntry>& journal, const std::string& machine) {
    const auto found = std::find_if(journal.rbegin(), journal.rend(),
                                    [&](const JournalEntry& e) { return e.machine == machine; });
    return found == journal.rend() ? nullptr : &*found;
}

std::string cell(std::string_view kind, std::string_view text) {
    return "<td class=\"" + std::string(kind) + "\">" + escapeHtml(text) + "</td>";
}

std::string machineRow(const BoardMachine& machine, const JournalEntry* last, bool actions,
                       std::chrono::steady_clock::time_point now) {
    const MachineSnapshot& state = machine.snapshot;
    const auto index = static_cast<int>(state.activity);
    std::string row = "<tr data-name=\"" + escapeHtml(machine.name) + "\">";
    row += cell("n", machine.name) + cell("p", machine.port);
    row += R"(<td class="s"><span class="mark s)" + std::to_string(index) + R"("></span><span>)" +
           escapeHtml(activityName(state.activity)) + "</span></td>";
    row += cell("f", state.file.empty() ? "–" : state.file);
    const std::string ofTotal =
        state.total > 0 ? " / " + std::to_string(state.total) : std::string();
    row += "<td class=\"b\"><span>" + std::to_string(state.bytes) + ofTotal +
           "</span><progress max=\"" + std::to_string(std::max<std::int64_t>(state.total, 1)) +
           "\" value=\"" + std::to_string(state.total > 0 ? state.bytes : 0) +
           "\"></progress></td>";
    row += cell("r", std::to_string(bytesPerSecond(state, now)) + " B/s");
    row += cell("t", remainingText(remainingSeconds(machine)));
    row += cell("l", last ? last->file + " · " + last->result : "–");
    if (actions) {
        row += "<td class=\"a\"><input placeholder=\"Programm\" aria-label=\"Programm\">"
               "<button class=\"send\">Senden</button>"
               "<button class=\"abort\">Abbrechen</button></td>";
    }
    return row + "</tr>\n";
}

std::string journalRow(const JournalEntry& entry) {
    return "<tr>" + cell("jt", isoTimeStamp(entry.time)) + cell("jm", entry.machine) +
           cell("jk", entry.kind) + cell("jf", entry.file) +
           cell("jb", std::to_string(entry.bytes)) + cell("jr", entry.result) + "</tr>\n";
}

std::string filterForm(const BoardView& view) {
    std::string form = "<form method=\"get\" action=\"/\"><label>Maschine <select "
                       "name=\"machine\" id=\"filter\"><option value=\"\">alle</option>";
    for (const BoardMachine& machine : view.machines) {
        form += "<option value=\"" + escapeHtml(machine.name) + "\"" +
                (machine.name == view.machineFilter ? " selected" : "") + ">" +
                escapeHtml(machine.name) + "</option>";
    }
    return form + "</select></label> <button>Zeigen</button></form>";
}

} // namespace

std::string escapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string machinesJson(const std::vector<BoardMachine>& machines,
                         std::chrono::steady_clock::time_point now) {
    Json list = Json::array();
    for (const BoardMachine& machine : machines) {
        list.push_back(machineJson(machine, now));
    }
    return dump(list);
}

std::string journalJson(const std::vector<JournalEntry>& entries) {
    Json list = Json::array();
    for (const JournalEntry& entry : entries) {
        list.push_back(entryJson(entry));
    }
    return dump(list);
}

std::string boardPage(const BoardView& view, std::chrono::steady_clock::time_point now) {
    std::string page(kBoardHead);
    if (view.actions) {
        page += "<p class=\"key\"><label>Schlüssel <input type=\"password\" id=\"key\" "
                "autocomplete=\"off\"></label> <span id=\"answer\" role=\"status\"></span></p>";
    }
    page += "<table id=\"machines\"><thead><tr><th>Maschine</th><th>Port</th><th>Zustand</th>"
            "<th>Datei</th><th>Bytes</th><th>Rate</th><th>Rest</th><th>Letzte Übertragung</th>";
    page += view.actions ? "<th>Aktion</th>" : "";
    page += "</tr></thead><tbody>\n";
    for (const BoardMachine& machine : view.machines) {
        page += machineRow(machine, lastOf(view.journal, machine.name), view.actions, now);
    }
    page += "</tbody></table>\n<h2>Journal</h2>" + filterForm(view);
    page += "<table id=\"journal\"><thead><tr><th>Zeit</th><th>Maschine</th><th>Art</th>"
            "<th>Datei</th><th>Bytes</th><th>Ergebnis</th></tr></thead><tbody>\n";
    std::size_t shown = 0;
    for (auto entry = view.journal.rbegin();
         entry != view.journal.rend() && shown < kJournalRowsShown; ++entry) {
        if (view.machineFilter.empty() || entry->machine == view.machineFilter) {
            page += journalRow(*entry);
            ++shown;
        }
    }
    page += "</tbody></table>\n";
    page += kBoardTail;
    return page;
}

} // namespace drovane
