#include "service/time_stamp.h"

#include <array>
#include <cstdio>

namespace drovane {
namespace {

struct CivilTime {
    int year;
    unsigned month, day;
    long hours, minutes, seconds;
};

CivilTime civilTime(std::chrono::system_clock::time_point time) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(time);
    const auto day = std::chrono::floor<std::chrono::days>(seconds);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{seconds - day};
    return {static_cast<int>(date.year()),
            static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day()),
            static_cast<long>(clock.hours().count()),
            static_cast<long>(clock.minutes().count()),
            static_cast<long>(clock.seconds().count())};
}

std::optional<unsigned> digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    unsigned value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return value;
}

} // namespace

std::string fileTimeStamp(std::chrono::system_clock::time_point time) {
    const CivilTime civil = civilTime(time);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d%02u%02u-%02ld%02ld%02ld", civil.year, civil.month,
                  civil.day, civil.hours, civil.minutes, civil.seconds);
    return text.data();
}

std::string isoTimeStamp(std::chrono::system_clock::time_point time) {
    const CivilTime civil = civilTime(time);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02ld:%02ld:%02ldZ", civil.year,
                  civil.month, civil.day, civil.hours, civil.minutes, civil.seconds);
    return text.data();
}

std::optional<std::chrono::system_clock::time_point> parseIsoTimeStamp(std::string_view text) {
    static constexpr std::string_view shape = "0000-00-00T00:00:00Z";
    if (text.size() != shape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] != '0' && text[i] != shape[i]) {
            return std::nullopt;
        }
    }
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    const auto hours = digitsAt(text, 11, 2);
    const auto minutes = digitsAt(text, 14, 2);
    const auto seconds = digitsAt(text, 17, 2);
    if (!year || !month || !day || !hours || !minutes || !seconds) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(*year)),
                                           std::chrono::month(*month), std::chrono::day(*day)};
    if (!date.ok() || *hours > 23 || *minutes > 59 || *seconds > 59) {
        return std::nullopt;
    }
    return std::chrono::sys_days(date) + std::chrono::hours(*hours) +
           std::chrono::minutes(*minutes) + std::chrono::seconds(*seconds);
}

} // namespace drovane
