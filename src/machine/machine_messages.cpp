#include "machine/machine_messages.h"

namespace drovane::machine_text {

namespace {

std::string shownName(std::string_view name) {
    return name.empty() ? std::string(kUnnamed) : std::string(name);
}

} // namespace

std::string stored(std::string_view name, std::size_t bytes, std::size_t lost) {
    std::string line = std::string(kPrefix) + "Programm " + shownName(name) + " gespeichert, " +
                       std::to_string(bytes) + " Bytes";
    if (lost > 0) {
        line += ", " + std::to_string(lost) + " Bytes verloren (Pufferüberlauf)";
    }
    return line + ".";
}

std::string punching(std::string_view name, std::size_t bytes, bool sample) {
    return std::string(kPrefix) + "Ausgabe von " + (sample ? "Beispielprogramm " : "Programm ") +
           shownName(name) + " beginnt, " + std::to_string(bytes) + " Bytes.";
}

} // namespace drovane::machine_text
