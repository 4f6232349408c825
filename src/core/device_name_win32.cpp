#include "core/device_name_win32.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace drovane {
namespace {

// COM and LPT take the digits 0-9 and the superscripts 1, 2 and 3.
constexpr std::array<std::wstring_view, 6> PlainDevices = {L"CON", L"PRN",    L"AUX",
                                                           L"NUL", L"CONIN$", L"CONOUT$"};
constexpr std::array<std::wstring_view, 2> NumberedDevices = {L"COM", L"LPT"};
constexpr std::wstring_view DeviceDigits = L"0123456789\u00B9\u00B2\u00B3";

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool sameLetters(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(
        a, b, [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

// "\\.\" and "\\?\" lead into the device namespace; only "\\?\C:\..." and
// "\\?\UNC\..." name files there.
bool isNamespacePath(std::wstring_view path) {
    if (path.size() < 4 || !isSeparator(path[0]) || !isSeparator(path[1]) ||
        !isSeparator(path[3])) {
        return false;
    }
    if (path[2] == L'.') {
        return true;
    }
    if (path[2] != L'?') {
        return false;
    }
    const std::wstring_view rest = path.substr(4);
    const bool drive = rest.size() >= 2 && std::iswalpha(rest[0]) != 0 && rest[1] == L':';
    const bool network =
        rest.size() >= 4 && sameLetters(rest.substr(0, 3), L"UNC") && isSeparator(rest[3]);
    return !drive && !network;
}

// The last component without drive, extension, colon and trailing blanks:
// "NUL" for "c:\nc\nul .txt", "COM1" for "COM1:".
std::wstring_view baseName(std::wstring_view path) {
    const auto separator = path.find_last_of(L"\\/");
    std::wstring_view name =
        separator == std::wstring_view::npos ? path : path.substr(separator + 1);
    if (name.size() >= 2 && name[1] == L':') {
        name.remove_prefix(2);
    }
    name = name.substr(0, name.find_first_of(L".:"));
    while (!name.empty() && name.back() == L' ') {
        name.remove_suffix(1);
    }
    return name;
}

bool isReservedName(std::wstring_view name) {
    const auto same = [name](std::wstring_view device) {
        return sameLetters(name, device);
    };
    if (std::ranges::any_of(PlainDevices, same)) {
        return true;
    }
    return name.size() == 4 && DeviceDigits.find(name[3]) != std::wstring_view::npos &&
           std::ranges::any_of(NumberedDevices, [name](std::wstring_view prefix) {
               return sameLetters(name.substr(0, 3), prefix);
           });
}

} // namespace

bool isDeviceName(std::wstring_view path) {
    return isNamespacePath(path) || isReservedName(baseName(path));
}

} // namespace drovane
