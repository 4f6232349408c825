#pragma once

// The "Programmfehler" box that ends the program after a fatal fault. Its
// text is built without allocating: the heap may be what broke.

#include "window/fault_descriptions.h"

#include <array>
#include <cstdint>
#include <windows.h>

namespace drovane {

inline constexpr const wchar_t* FatalBoxTitle = L"Programmfehler";

using FatalBoxText = std::array<wchar_t, 512>;

// The fault's text + " Zeile: " + line, NUL-terminated.
void writeFatalBoxText(FatalBoxText& text, FaultCode code, std::int32_t line) noexcept;

// The foreground window when it belongs to this process and not to
// `blockedThread`, whose windows cannot answer while it waits for the box.
HWND fatalBoxOwner(DWORD blockedThread = 0) noexcept;

// Modal, OK only; returns when it is closed.
void showFatalBox(const FatalBoxText& text, HWND owner) noexcept;

} // namespace drovane
