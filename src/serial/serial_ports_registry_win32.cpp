#include "serial/serial_ports_win32.h"

#include "core/text.h"
#include "serial/serial_ports_key_win32.h"

namespace drovane {
namespace {

UniqueRegistryKey openForReading(HKEY root, const std::wstring& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return UniqueRegistryKey(key);
}

// Registry strings need not end in a NUL, and may carry several.
std::wstring stringFromData(const std::wstring& data, DWORD byteCount) {
    std::wstring text = data.substr(0, byteCount / sizeof(wchar_t));
    const std::size_t last = text.find_last_not_of(L'\0');
    text.resize(last == std::wstring::npos ? 0 : last + 1);
    return text;
}

} // namespace

std::vector<NamedPort> portsInRegistryKey(HKEY root, const std::wstring& subkey) {
    const UniqueRegistryKey key = openForReading(root, subkey);
    DWORD valueCount = 0;
    DWORD longestName = 0;
    DWORD largestData = 0;
    if (!key || RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &valueCount, &longestName, &largestData, nullptr,
                                 nullptr) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<NamedPort> ports;
    std::wstring name(longestName + 1, L'\0');
    std::wstring data(largestData / sizeof(wchar_t) + 1, L'\0');
    for (DWORD index = 0; index < valueCount; ++index) {
        auto nameLength = static_cast<DWORD>(name.size());
        auto byteCount = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        if (RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &byteCount) != ERROR_SUCCESS ||
            type != REG_SZ) {
            continue;
        }
        std::wstring port = stringFromData(data, byteCount);
        if (!port.empty()) {
            ports.push_back({windows1252FromWide(port), {}, {}});
        }
    }
    return ports;
}

} // namespace drovane
