#pragma once

namespace drovane {

// The pages of the main panel whose titles the program changes.
inline constexpr int SettingsTab = 1;
inline constexpr int ProgramTab = 2;

} // namespace drovane
