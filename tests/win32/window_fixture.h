#pragma once

// A real main window, not shown, whose reported events a test reads back.
// Needs a display: under Wine an X server.

#include "win32/win32_main_window.h"
#include "win32/win32_window_view.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace drovane {

using Event = std::pair<std::string, Trigger>;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { open(false); }

    void open(bool boldFont);
    HWND control(std::string_view name) const { return window->control(name); }
    // Runs the window's messages until `done`; generous, never a speed test.
    bool pumpUntil(const std::function<bool()>& done,
                   std::chrono::seconds limit = std::chrono::seconds(60)) const;
    std::vector<Event> takeEvents() { return std::exchange(events, {}); }

    std::vector<Event> events;
    std::unique_ptr<Win32MainWindow> window;
    std::unique_ptr<Win32WindowView> view;
};

} // namespace drovane
