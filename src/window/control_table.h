#pragma once

// Every control of the main window as data: kind, container, place, size,
// first text and options. The order is the creation and the tab order.

#include <cstdint>
#include <span>
#include <string_view>

namespace drovane {

enum class ControlKind : std::uint8_t {
    TextField,
    Label,
    DropDown,
    Button,
    ImageButton,
    CheckBox,
    Editor,
    FileList,
    GroupBox,
    FlatFrame,
    Image,
    ProgressBar,
};

// Tab pages 0..2, or the window itself below the panel.
enum class Container : std::uint8_t { Tab0, Tab1, Tab2, Window };

namespace option {
inline constexpr unsigned ReadOnly = 1U << 0U;
inline constexpr unsigned DigitsOnly = 1U << 1U;
inline constexpr unsigned Centred = 1U << 2U;
inline constexpr unsigned ThinBorder = 1U << 3U;
inline constexpr unsigned Disabled = 1U << 4U;
inline constexpr unsigned TopAligned = 1U << 5U;
inline constexpr unsigned CaptionRight = 1U << 6U;
} // namespace option

// Which embedded picture an image control starts with.
enum class Picture : std::uint8_t { None, Computer, Machine, Send, Receive };

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    Container container;
    int x;
    int y;
    int width;
    int height;
    std::string_view text; // UTF-8
    unsigned options = 0;
    Picture picture = Picture::None;
};

struct Geometry {
    int x;
    int y;
    int width;
    int height;
};

std::span<const ControlSpec> controlTable();

inline constexpr Geometry MainPanelGeometry{15, 14, 639, 596};
inline constexpr int WindowWidth = 667;
inline constexpr int WindowHeight = 734;
inline constexpr int HelpFieldWidth = 40;

// Titles of the three tabs at creation.
std::span<const std::string_view> initialTabTitles();

} // namespace drovane
