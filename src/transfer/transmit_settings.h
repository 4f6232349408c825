#pragma once

// How the six send settings on the settings tab become TransmitOptions.

#include "transfer/transmit_text.h"

#include <string_view>

namespace drovane {

// The texts as the controls show them (Windows-1252 bytes). Beware the
// profile stores the two filters under crossed keys: the percent filter under
// "Steuerzeichen_Senden", the control filter under "Prozent_Filtern_Senden".
struct TransmitSettingTexts {
    std::string_view percentFilter{}; // PercentFilterCombo
    std::string_view controlFilter{}; // SendControlFilterCombo
    std::string_view afterLine{};     // AfterLineField
    std::string_view beforeProgram{}; // BeforeProgramField
    std::string_view afterProgram{};  // AfterProgramField
    std::string_view afterEndCode{};  // AfterEndCodeField
};

// Only the exact "Ja" switches a filter on; the strings are taken byte for
// byte, blanks included, and the line-ending setting plays no part.
TransmitOptions transmitOptionsFrom(const TransmitSettingTexts& texts);

} // namespace drovane
