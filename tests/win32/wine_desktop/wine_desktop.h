#pragma once

// Windows programs under Wine on a virtual X display, seen as a user sees
// them: windows found by title, their size and a screenshot through the X
// tools, the texts and buttons of a window or message box read, and a button
// pressed, through a small Windows probe run in the same prefix.
//
// Needs Xvfb, xdotool, xwininfo, xprop, ImageMagick's import, and for the
// German texts of the system's buttons the de_DE.UTF-8 locale.

#include "cli_child.h"
#include "virtual_display.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drovane::testing {

struct WineDesktopSetup {
    std::filesystem::path prefix;
    // Holds win32_window_probe.exe and the programs under test.
    std::filesystem::path windowsBin;
    // Screenshots land here.
    std::filesystem::path outputFolder;
    std::string language = "de_DE.UTF-8";
};

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// What the probe saw in a window (UTF-8, '&' markers dropped).
struct WindowContent {
    bool found = false;
    WindowSize client;
    std::vector<std::string> texts;
    std::vector<std::string> buttons;
    // The one-line edit fields, in the window's order.
    std::vector<std::string> fields;
    bool pressed = false;
};

class WineDesktop {
public:
    // Starts the display and points every Wine started from this process at
    // it, at the prefix and at the language. A wineserver of the prefix that
    // runs without this display is ended first.
    explicit WineDesktop(WineDesktopSetup setup, int width = 1280, int height = 1024);
    ~WineDesktop();
    WineDesktop(const WineDesktop&) = delete;
    WineDesktop& operator=(const WineDesktop&) = delete;
    WineDesktop(WineDesktop&&) = delete;
    WineDesktop& operator=(WineDesktop&&) = delete;

    bool ready() const { return !display_.name().empty(); }
    const std::string& display() const { return display_.name(); }
    const std::filesystem::path& prefix() const { return setup_.prefix; }
    std::filesystem::path windowsProgram(std::string_view name) const;

    // `program` (a .exe) under Wine, with its output read as it comes.
    std::unique_ptr<CliChild> start(const std::filesystem::path& program,
                                    const std::vector<std::string>& arguments) const;

    // X side: the id of a window whose title is exactly `title`.
    std::optional<std::string> findWindow(std::string_view title, milliseconds limit) const;
    std::string titleOf(const std::string& window) const;
    std::optional<WindowSize> sizeOf(const std::string& window) const;
    // The window as a PNG in the output folder; the path, or empty.
    std::filesystem::path screenshot(const std::string& window, std::string_view name) const;

    // Windows side: waits up to a minute for a visible top-level window
    // titled `title`; presses the button captioned `press` when given.
    WindowContent readWindow(std::string_view title, std::string_view press = {}) const;
    // Sends WM_CLOSE, as the window's close box does; false when not found.
    bool closeWindow(std::string_view title) const;

private:
    WineDesktopSetup setup_;
    VirtualDisplay display_;
};

} // namespace drovane::testing
