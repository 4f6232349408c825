#include "cli/progress_line.h"

#include <cmath>

namespace drovane {
namespace {

// Below this a rate is noise.
constexpr double kShortestMeasure = 0.2;

std::string minutesAndSeconds(double seconds) {
    const auto whole = static_cast<std::int64_t>(std::ceil(seconds));
    const std::int64_t rest = whole % 60;
    std::string text = std::to_string(whole / 60);
    text += rest < 10 ? ":0" : ":";
    text += std::to_string(rest);
    return text;
}

} // namespace

std::string progressText(const ProgressState& state) {
    const double seconds = state.elapsed.count();
    const bool measured = seconds >= kShortestMeasure && state.bytes > 0;
    const double rate = measured ? static_cast<double>(state.bytes) / seconds : 0.0;
    std::string line = std::to_string(state.bytes);
    if (state.total) {
        const std::int64_t total = *state.total;
        line += "/";
        line += std::to_string(total);
        line += " Bytes  ";
        line += std::to_string(total > 0 ? state.bytes * 100 / total : 100);
        line += "%";
    } else {
        line += " Bytes";
    }
    line += "  ";
    line += measured ? std::to_string(std::llround(rate)) : std::string("-");
    line += " B/s";
    if (state.total) {
        const std::int64_t left = *state.total - state.bytes;
        line += "  noch ";
        line += left <= 0  ? std::string("0:00")
                : measured ? minutesAndSeconds(static_cast<double>(left) / rate)
                           : std::string("-");
    }
    return line;
}

} // namespace drovane
