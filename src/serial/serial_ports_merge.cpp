#include "serial/serial_ports_merge.h"

#include "serial/serial_ports_names.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <tuple>

namespace drovane {
namespace {

// Sorts "COMn" by n ahead of every other name, which sort by their text; the
// upper-cased text also makes "com3" and "COM3" one port.
struct PortKey {
    unsigned number;
    std::string upperName;

    bool operator<(const PortKey& other) const {
        return std::tie(number, upperName) < std::tie(other.number, other.upperName);
    }
};

PortKey keyOf(const std::string& name) {
    std::string upper = name;
    std::ranges::transform(upper, upper.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    const unsigned number = comPortNumber(upper).value_or(std::numeric_limits<unsigned>::max());
    return {number, std::move(upper)};
}

void fillGaps(NamedPort& kept, const NamedPort& other) {
    if (kept.friendlyName.empty()) {
        kept.friendlyName = other.friendlyName;
    }
    if (kept.driver.empty()) {
        kept.driver = other.driver;
    }
}

} // namespace

std::vector<NamedPort> mergePortLists(const std::vector<NamedPort>& registry,
                                      const std::vector<NamedPort>& deviceManager) {
    std::map<PortKey, NamedPort> merged;
    for (const auto* list : {&registry, &deviceManager}) {
        for (const NamedPort& port : *list) {
            if (port.name.empty()) {
                continue;
            }
            const auto [entry, added] = merged.try_emplace(keyOf(port.name), port);
            if (!added) {
                fillGaps(entry->second, port);
            }
        }
    }
    std::vector<NamedPort> ports;
    ports.reserve(merged.size());
    for (auto& [key, port] : merged) {
        ports.push_back(std::move(port));
    }
    return ports;
}

} // namespace drovane
