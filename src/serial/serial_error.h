#pragma once

// The line's error and hold flags and the one log line for each of them.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace drovane {

enum class SerialError : std::uint32_t {
    None = 0,
    RxOver = 0x0001,
    OverRun = 0x0002,
    RxParity = 0x0004,
    Frame = 0x0008,
    Break = 0x0010,
    TxFull = 0x0020,
    IOE = 0x0040,
    WaitingCTS = 0x0080,
    WaitingDSR = 0x0100,
    WaitingRLSD = 0x0200,
    XoffReceived = 0x0400,
    XoffSent = 0x0800,
    EOFSent = 0x1000,
};

constexpr SerialError operator|(SerialError a, SerialError b) {
    return static_cast<SerialError>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}
constexpr SerialError operator&(SerialError a, SerialError b) {
    return static_cast<SerialError>(static_cast<std::uint32_t>(a) & static_cast<std::uint32_t>(b));
}
constexpr SerialError& operator|=(SerialError& a, SerialError b) {
    return a = a | b;
}
constexpr bool hasFlag(SerialError set, SerialError flag) {
    return (set & flag) != SerialError::None;
}

// Frame errors and the like, cleared when fetched, as opposed to hold states.
inline constexpr SerialError kLineErrors =
    SerialError::RxOver | SerialError::OverRun | SerialError::RxParity | SerialError::Frame |
    SerialError::Break | SerialError::TxFull | SerialError::IOE;

struct SerialErrorLine {
    SerialError flag;
    std::string_view line;
};

// In ascending order of flag value: the order the lines are reported in.
inline constexpr std::array<SerialErrorLine, 13> kSerialErrorLines{{
    {SerialError::RxOver, "Übertragungsfehler !!! #PB_SerialPort_RxOver"},
    {SerialError::OverRun, "Übertragungsfehler !!! #PB_SerialPort_OverRun"},
    {SerialError::RxParity, "Übertragungsfehler !!! #PB_SerialPort_RxParity"},
    {SerialError::Frame, "Übertragungsfehler !!! #PB_SerialPort_Frame"},
    {SerialError::Break, "Übertragungsfehler !!! #PB_SerialPort_Break"},
    {SerialError::TxFull, "Übertragungsfehler !!! #PB_SerialPort_TxFull"},
    {SerialError::IOE, "Übertragungsfehler !!! #PB_SerialPort_IOE"},
    {SerialError::WaitingCTS, "Übertragungsfehler !!! #PB_SerialPort_WaitingCTS"},
    {SerialError::WaitingDSR, "Übertragungsfehler !!! #PB_SerialPort_WaitingDSR"},
    {SerialError::WaitingRLSD, "Übertragungsfehler !!! #PB_SerialPort_WaitingRLSD"},
    {SerialError::XoffReceived, "Übertragungsfehler !!! #PB_SerialPort_XoffReceived"},
    {SerialError::XoffSent, "Übertragungsfehler !!! #PB_SerialPort_XoffSent"},
    {SerialError::EOFSent, "Übertragungsfehler !!! #PB_SerialPort_EOFSent"},
}};

// Where a line of the log goes; the jobs pass their console.
using LogSink = std::function<void(std::string_view line)>;

// One line per flag in `errors`, in ascending flag order; nothing for none.
void reportSerialErrors(SerialError errors, const LogSink& log);

} // namespace drovane
