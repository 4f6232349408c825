#pragma once

// A small modal dialog that asks for one line of text: a prompt, an edit
// box, "OK" and "Abbrechen". Built in memory, so it needs no resource.

#include <optional>
#include <string>
#include <windows.h>

namespace drovane {

// nullopt when cancelled or closed.
std::optional<std::wstring> askTextInDialog(HWND owner, const std::wstring& title,
                                            const std::wstring& prompt,
                                            const std::wstring& initial);

} // namespace drovane
