#include "service/board_routes.h"

#include "core/text.h"
#include "service/board_content.h"
#include "service/board_key.h"
#include "service/board_messages.h"
#include "service/request_answer.h"
#include "transfer/sentence.h"

#include <nlohmann/json.hpp>

#include <charconv>

namespace drovane {
namespace {

namespace bm = board_messages;

constexpr std::string_view kJson = "application/json; charset=utf-8";
constexpr std::string_view kHtml = "text/html; charset=utf-8";
constexpr std::string_view kMachinesPath = "/api/machines";
// The page's journal reaches this far back for each machine's last transfer.
constexpr std::size_t kJournalReach = 1000;
constexpr std::size_t kLongestJournalAnswer = 10000;

BoardReply textReply(int status, std::string_view text) {
    return {status, std::string(kJson),
            nlohmann::json{{"text", text}}.dump(-1, ' ', false,
                                                nlohmann::json::error_handler_t::replace)};
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

BoardReply refusal(KeyCheck check) {
    switch (check) {
    case KeyCheck::Missing:
        return textReply(401, bm::kNoKey);
    case KeyCheck::Wrong:
        return textReply(403, bm::kWrongKey);
    case KeyCheck::ReadOnly:
        return textReply(403, bm::kReadOnly);
    case KeyCheck::Allowed:
        break;
    }
    return {};
}

} // namespace

std::optional<std::string> percentDecoded(std::string_view text, bool query) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += query && text[i] == '+' ? ' ' : text[i];
        }
    }
    return decoded;
}

std::optional<std::string> queryValue(std::string_view query, std::string_view name) {
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view pair = query.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (pair.substr(0, equals) == name) {
            return equals == std::string_view::npos ? std::string()
                                                    : percentDecoded(pair.substr(equals + 1), true);
        }
        query.remove_prefix(std::min(end + 1, query.size()));
    }
    return std::nullopt;
}

BoardReply BoardRoutes::answer(const BoardRequest& request) const {
    const std::size_t mark = request.target.find('?');
    const std::string_view path = request.target.substr(0, mark);
    const std::string_view query =
        mark == std::string_view::npos ? std::string_view() : request.target.substr(mark + 1);
    if (request.method == "POST" && path.starts_with(std::string(kMachinesPath) + "/")) {
        return action(request, path.substr(kMachinesPath.size() + 1));
    }
    if (request.method != "GET") {
        return textReply(405, bm::kNoPage);
    }
    if (path == "/") {
        return page(query);
    }
    if (path == kMachinesPath) {
        return {200, std::string(kJson),
                machinesJson(source_.machines(), std::chrono::steady_clock::now())};
    }
    if (path == "/api/journal") {
        return journal(query);
    }
    return textReply(404, bm::kNoPage);
}

BoardReply BoardRoutes::page(std::string_view query) const {
    BoardView view{
        source_.machines(),
        readJournal(journal_, {std::nullopt, kJournalReach}).value_or(std::vector<JournalEntry>{}),
        queryValue(query, "machine").value_or(""), !key_.empty()};
    return {200, std::string(kHtml), boardPage(view, std::chrono::steady_clock::now())};
}

BoardReply BoardRoutes::journal(std::string_view query) const {
    JournalQuery wanted{queryValue(query, "machine"), kJournalRowsShown};
    if (const auto last = queryValue(query, "last")) {
        std::size_t count = 0;
        const auto [end, error] = std::from_chars(last->data(), last->data() + last->size(), count);
        if (error != std::errc() || end != last->data() + last->size()) {
            return textReply(400, bm::kNoPage);
        }
        wanted.last = std::min(count, kLongestJournalAnswer);
    }
    if (wanted.machine && wanted.machine->empty()) {
        wanted.machine.reset();
    }
    return {200, std::string(kJson),
            journalJson(readJournal(journal_, wanted).value_or(std::vector<JournalEntry>{}))};
}

BoardReply BoardRoutes::action(const BoardRequest& request, std::string_view rest) const {
    if (const KeyCheck check = checkKey(request.authorization, key_); check != KeyCheck::Allowed) {
        return refusal(check);
    }
    const std::size_t slash = rest.rfind('/');
    const auto machine = percentDecoded(rest.substr(0, slash), false);
    if (slash == std::string_view::npos || !machine) {
        return textReply(404, bm::kNoPage);
    }
    const std::string_view verb = rest.substr(slash + 1);
    if (verb == "send") {
        return send(*machine, request.body);
    }
    if (verb != "abort") {
        return textReply(404, bm::kNoPage);
    }
    switch (source_.abort(*machine)) {
    case BoardActionResult::Started:
        return textReply(200, activityName(MachineActivity::Stopped));
    case BoardActionResult::NothingRuns:
        return textReply(409, fill(bm::kNothingRuns, *machine));
    default:
        return textReply(404, fill(bm::kUnknownMachine, *machine));
    }
}

BoardReply BoardRoutes::send(std::string_view machine, std::string_view body) const {
    const auto served = source_.servedMachine(machine);
    if (!served) {
        return textReply(404, fill(bm::kUnknownMachine, machine));
    }
    const auto json = nlohmann::json::parse(body, nullptr, false);
    if (!json.is_object() || !json.contains("file") || !json["file"].is_string()) {
        return textReply(400, bm::kBadBody);
    }
    const auto file = json["file"].get<std::string>();
    const RequestAnswer found =
        answerRequest(windows1252FromUtf8(file), *served, source_.pattern());
    if (found.outcome == RequestOutcome::Refused) {
        return textReply(400, fill(bm::kRefused, file));
    }
    if (found.outcome != RequestOutcome::SendFile) {
        return textReply(404, fill(bm::kNotFound, file));
    }
    switch (source_.send(machine, found.file)) {
    case BoardActionResult::Started:
        return textReply(202, activityName(MachineActivity::Sending));
    case BoardActionResult::Busy:
        return textReply(409, fill(bm::kBusy, machine));
    default:
        return textReply(404, fill(bm::kUnknownMachine, machine));
    }
}

} // namespace drovane
