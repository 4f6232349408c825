#include "serial/serial_ports_posix.h"

#include "serial/serial_ports_names.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <tuple>

namespace drovane {
namespace {

namespace fs = std::filesystem;

enum class PortKind : std::uint8_t { Usb, Acm, Uart };

struct PortPrefix {
    std::string_view prefix;
    PortKind kind;
};

constexpr std::array<PortPrefix, 3> kPortPrefixes{{
    {"ttyUSB", PortKind::Usb},
    {"ttyACM", PortKind::Acm},
    {"ttyS", PortKind::Uart},
}};

// Bounds the walk from a tty's device up to the hardware's driver.
constexpr int kMaxDriverHops = 4;

struct Candidate {
    PortKind kind;
    unsigned long number;
    std::string name;
};

std::optional<Candidate> candidateFor(std::string_view name) {
    for (const PortPrefix& entry : kPortPrefixes) {
        if (!name.starts_with(entry.prefix)) {
            continue;
        }
        const std::string_view digits = name.substr(entry.prefix.size());
        unsigned long number = 0;
        const char* last = digits.data() + digits.size();
        const auto [end, error] = std::from_chars(digits.data(), last, number);
        if (digits.empty() || error != std::errc{} || end != last) {
            return std::nullopt;
        }
        return Candidate{entry.kind, number, std::string(name)};
    }
    return std::nullopt;
}

std::string firstLineOf(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The serial core (kernel 6.3 on) puts a port device of its own, bound to its
// "port" driver, between the tty and the hardware; the driver worth naming
// sits above it.
bool isSerialCoreDriver(const fs::path& driverLink) {
    return driverLink.parent_path().parent_path().filename() == "serial-base";
}

// The first driver bound at or above the tty's device.
std::string driverOf(const fs::path& device) {
    std::error_code error;
    fs::path dir = fs::canonical(device, error);
    if (error) {
        return {};
    }
    for (int hop = 0; hop < kMaxDriverHops && dir.has_relative_path(); ++hop) {
        const fs::path link = fs::read_symlink(dir / "driver", error);
        if (!error && !isSerialCoreDriver(link)) {
            return link.filename().string();
        }
        dir = dir.parent_path();
    }
    return {};
}

// The 8250 driver registers ttyS0..ttyS3 whether or not a UART answers; an
// absent one has the type 0 (unknown).
bool uartPresent(const fs::path& ttyEntry) {
    const std::string type = firstLineOf(ttyEntry / "type");
    return !type.empty() && type != "0";
}

std::map<std::string, fs::path> byIdAliases(const fs::path& devRoot) {
    std::map<std::string, fs::path> aliases;
    std::error_code error;
    const fs::path folder = devRoot / "serial" / "by-id";
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = fs::read_symlink(it->path(), error);
        if (error) {
            error.clear();
            continue;
        }
        const std::string device = target.filename().string();
        const auto found = aliases.find(device);
        if (found == aliases.end() || it->path() < found->second) {
            aliases[device] = it->path();
        }
    }
    return aliases;
}

std::optional<SerialPortInfo> inspect(const fs::path& ttyEntry, const Candidate& candidate) {
    std::error_code error;
    const fs::path device = ttyEntry / "device";
    if (!fs::exists(device, error)) {
        return std::nullopt; // no hardware behind it
    }
    std::string driver = driverOf(device);
    if (candidate.kind == PortKind::Uart && (driver.empty() || !uartPresent(ttyEntry))) {
        return std::nullopt;
    }
    return SerialPortInfo{candidate.name, {}, {}, std::move(driver), {}};
}

} // namespace

std::string devicePathForPort(std::string_view portName) {
    return ttyDevicePath(portName);
}

std::vector<SerialPortInfo> listSerialPorts() {
    return listSerialPorts(SerialPortRoots{});
}

std::vector<SerialPortInfo> listSerialPorts(const SerialPortRoots& roots) {
    std::vector<std::pair<Candidate, SerialPortInfo>> found;
    std::error_code error;
    for (fs::directory_iterator it(roots.sys / "class" / "tty", error), end; !error && it != end;
         it.increment(error)) {
        const auto candidate = candidateFor(it->path().filename().string());
        if (!candidate) {
            continue;
        }
        if (auto info = inspect(it->path(), *candidate)) {
            found.emplace_back(*candidate, std::move(*info));
        }
    }
    std::ranges::sort(found, [](const auto& a, const auto& b) {
        return std::tie(a.first.kind, a.first.number) < std::tie(b.first.kind, b.first.number);
    });

    const auto aliases = byIdAliases(roots.dev);
    std::vector<SerialPortInfo> ports;
    ports.reserve(found.size());
    for (auto& [candidate, info] : found) {
        info.devicePath = roots.dev / info.name;
        if (const auto alias = aliases.find(info.name); alias != aliases.end()) {
            info.byIdAlias = alias->second;
        }
        ports.push_back(std::move(info));
    }
    return ports;
}

} // namespace drovane
