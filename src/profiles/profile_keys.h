#pragma once

// The keys of the settings file: the program-wide ones at the top, and the 26
// of every machine group in the order a save writes them, each with its
// default, its control and, for drop-down lists, the entries of the list.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace drovane {

struct TopLevelKey {
    std::string_view key;
    std::string_view defaultValue;
};

inline constexpr TopLevelKey MachineKey = {"Maschine", "Fanuc10t"};
// Its default depends on the system: defaultNcDirectory().
inline constexpr TopLevelKey PathKey = {"Path", ""};
inline constexpr TopLevelKey PatternKey = {"Pattern", "*.nc"};
inline constexpr TopLevelKey BoldFontKey = {"BoldFont", "0"};

// "c:\" on Windows; on Linux the user's home folder with a trailing "/".
std::string defaultNcDirectory();

struct ProfileKey {
    std::string_view key;
    // The settings control that shows the value.
    std::string_view control;
    std::string_view defaultValue;
    // Entries of a drop-down list; empty for fields and the check box.
    std::span<const std::string_view> values;
    // The list takes in, as its new first entry, a stored value it lacks.
    bool extendedFromFile = false;
};

inline constexpr std::size_t ProfileKeyCount = 26;

// Positions in ProfileKeys and in MachineProfile::values.
enum ProfileField : std::size_t {
    BaudRateField,
    PortField,
    DataBitsField,
    ParityField,
    StopBitsField,
    HandshakeField,
    ReceiveTimeoutField,
    ReceiveBufferField,
    ReceiveControlFilterField,
    EndCharField,
    SendTimeoutField,
    LineEndField,
    SendBufferField,
    PercentFilterField,
    SendControlFilterField,
    LeaderCountField,
    TrailerCountField,
    BeforeProgramField,
    AfterProgramField,
    AfterEndCodeField,
    AfterLineField,
    XonCharField,
    XoffCharField,
    XonSendField,
    XonWaitField,
    DtrDsrField,
};

extern const std::array<ProfileKey, ProfileKeyCount> ProfileKeys;

// The comment a new machine's group begins and ends with.
inline constexpr std::string_view ProfileSeparator =
    "----------------------------------------------";

} // namespace drovane
