#include "service/status_text.h"

#include <array>
#include <cstdio>

namespace drovane {

std::string utcTimeText(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(floor<seconds>(time - day));
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02u %02d:%02d:%02d UTC",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text.data();
}

std::string statusText(const std::vector<MachineStatus>& machines,
                       std::chrono::steady_clock::time_point now) {
    std::string text;
    for (const MachineStatus& machine : machines) {
        const MachineSnapshot& state = machine.snapshot;
        text += machine.machine;
        text += '\t';
        text += activityName(state.activity);
        text += '\t';
        text += state.file.empty() ? "-" : state.file;
        text += '\t';
        text += std::to_string(state.bytes) + " Bytes\t";
        text += std::to_string(bytesPerSecond(state, now)) + " Bytes/s\tseit ";
        text += utcTimeText(state.since);
        text += '\n';
    }
    return text;
}

} // namespace drovane
