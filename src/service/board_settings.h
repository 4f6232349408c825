#pragma once

// drovane-dnc.ini's top-level keys of the board: where it listens and the key
// its actions need.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace drovane {

struct BoardSettings {
    std::string host;
    std::uint16_t port = 0;
    std::string key; // "Anzeige_Schluessel"; empty: the board only shows
};

struct BoardSettingsRead {
    std::optional<BoardSettings> board; // nullopt: no board
    std::string fault;                  // a sentence when "Anzeige" is no host:port
};

inline constexpr std::string_view kBoardAddressKey = "Anzeige";
inline constexpr std::string_view kBoardAddressDefault = "127.0.0.1:8470";
inline constexpr std::string_view kBoardKeyKey = "Anzeige_Schluessel";

BoardSettingsRead readBoardSettings(const std::filesystem::path& serviceFile);
// "host:port" or "[v6]:port"; nullopt for anything else.
std::optional<BoardSettings> parseBoardAddress(std::string_view text);

} // namespace drovane
