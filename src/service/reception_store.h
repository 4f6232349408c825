#pragma once

// Saves one reception into a machine's receive folder: under its content's
// name, an older different file kept in "Versionen/", equal content left
// alone, a cut-short text in "Unvollstaendig/" and never under the program's
// name. Every file is written atomically, so a service sharing the folder
// never sees half a file.

#include "core/atomic_file.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

inline constexpr std::string_view VersionsFolder = "Versionen";
inline constexpr std::string_view IncompleteFolder = "Unvollstaendig";

struct Reception {
    std::string_view text;      // the machine's bytes, filters already applied
    std::string_view machine;   // the machine's name (Windows-1252)
    std::string_view extension; // of drovane.ini's "Pattern", without the dot
    std::chrono::system_clock::time_point receivedAt;
    bool complete = true; // false: hang-up, stop or line error cut it short
};

struct StoredReception {
    std::filesystem::path file; // written, or the one left unchanged
    // "gespeichert", "unverändert" or "Fehler". A cut-short text saved is
    // "gespeichert": why it was cut short is the caller's to tell.
    std::string result;
    std::string detail; // a sentence on failure, else empty
};

// `writeCall` lets tests fail the writes.
StoredReception storeReception(const std::filesystem::path& receiveFolder,
                               const Reception& reception, WriteCall writeCall = nullptr);

} // namespace drovane
