#pragma once

// drovane-dnc.ini: which machines of drovane.ini the service serves and how.
// The file has the settings file's format; its texts are Windows-1252 like
// drovane.ini's, the paths already converted for the file system.

#include <chrono>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

struct ServedMachine {
    std::string name;                     // the group name = the machine's name in drovane.ini
    std::filesystem::path receiveFolder;  // "Empfangsordner"; empty: no auto-receive
    std::filesystem::path sendFolder;     // "Sendeordner"; empty: no requests
    std::chrono::seconds requestDelay{3}; // "Anfrage_Verzoegerung"
    std::chrono::seconds quietTime{10};   // "Ruhezeit"; 0: only the end character
    bool answerOnError = true;            // "Antwort_bei_Fehler"

    bool operator==(const ServedMachine&) const = default;
};

struct ServiceSettings {
    std::filesystem::path journal;
    std::vector<ServedMachine> machines;
};

// A sentence for the log and for `check`; `machine` is empty when the fault is
// the file's own.
struct ServiceFault {
    std::string machine;
    std::string text;
};

struct ServiceSettingsRead {
    ServiceSettings settings;
    std::vector<ServiceFault> faults;
};

struct ServiceKey {
    std::string_view key;
    std::string_view defaultValue;
};

inline constexpr ServiceKey JournalKey = {"Journal", "drovane-journal.jsonl"};

enum ServiceField : std::size_t {
    ReceiveFolderField,
    SendFolderField,
    RequestDelayField,
    QuietTimeField,
    AnswerOnErrorField,
};

// The keys of a machine's group, in the order of ServiceField.
std::span<const ServiceKey> serviceKeys();

// A missing file is a fault; a relative "Journal" or folder lies beside the
// file. A number that is no plain count of seconds is a fault of its machine.
ServiceSettingsRead readServiceSettings(const std::filesystem::path& serviceFile);

} // namespace drovane
