#include "service/journal.h"

#include "service/time_stamp.h"

#include <nlohmann/json.hpp>

#include <fstream>

namespace drovane {
namespace {

using Json = nlohmann::json;

std::optional<std::uint32_t> crcFromText(const std::string& text) {
    if (text.size() != 8 || text.find_first_not_of("0123456789abcdef") != std::string::npos) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

bool readText(const Json& object, const char* key, std::string& into) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string()) {
        return false;
    }
    into = found->get<std::string>();
    return true;
}

} // namespace

struct Journal::Stream {
    std::ofstream out;
};

std::string journalLine(const JournalEntry& entry) {
    const Json object = {
        {"time", isoTimeStamp(entry.time)},
        {"machine", entry.machine},
        {"port", entry.port},
        {"kind", entry.kind},
        {"file", entry.file},
        {"bytes", entry.bytes},
        {"crc32", crc32Text(entry.crc32)},
        {"seconds", entry.seconds},
        {"result", entry.result},
        {"detail", entry.detail},
    };
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<JournalEntry> parseJournalLine(std::string_view line) {
    const Json object = Json::parse(line, nullptr, false);
    if (!object.is_object()) {
        return std::nullopt;
    }
    JournalEntry entry;
    std::string time;
    std::string crc;
    if (!readText(object, "time", time) || !readText(object, "machine", entry.machine) ||
        !readText(object, "port", entry.port) || !readText(object, "kind", entry.kind) ||
        !readText(object, "file", entry.file) || !readText(object, "crc32", crc) ||
        !readText(object, "result", entry.result) || !readText(object, "detail", entry.detail)) {
        return std::nullopt;
    }
    const auto bytes = object.find("bytes");
    const auto seconds = object.find("seconds");
    const auto when = parseIsoTimeStamp(time);
    const auto crcValue = crcFromText(crc);
    if (bytes == object.end() || !bytes->is_number_unsigned() || seconds == object.end() ||
        !seconds->is_number() || !when || !crcValue) {
        return std::nullopt;
    }
    entry.time = *when;
    entry.bytes = bytes->get<std::uint64_t>();
    entry.seconds = seconds->get<double>();
    entry.crc32 = *crcValue;
    return entry;
}

Journal::Journal(std::filesystem::path file)
    : file_(std::move(file)), stream_(std::make_unique<Stream>()) {}

Journal::~Journal() = default;

bool Journal::append(const JournalEntry& entry) {
    const std::string line = journalLine(entry) + "\n";
    const std::lock_guard lock(mutex_);
    auto& out = stream_->out;
    if (!out.is_open() || !out.good()) {
        out.close();
        out.clear();
        out.open(file_, std::ios::binary | std::ios::app);
    }
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
    if (out.good() && watcher_) {
        watcher_(entry);
    }
    return out.good();
}

void Journal::watch(std::function<void(const JournalEntry&)> watcher) {
    const std::lock_guard lock(mutex_);
    watcher_ = std::move(watcher);
}

} // namespace drovane
