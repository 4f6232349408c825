#include "serial/serial_ports_names.h"
#include "serial/serial_ports_win32.h"

#include "core/text.h"
#include "serial/serial_ports_key_win32.h"

#include <array>
#include <memory>
#include <setupapi.h>

namespace drovane {
namespace {

// GUID_DEVINTERFACE_COMPORT and GUID_DEVCLASS_PORTS, spelt out: the headers
// that define them clash with each other or need <initguid.h> first.
constexpr GUID kComPortInterface{
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
constexpr GUID kPortsClass{
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

struct DeviceSetCloser {
    void operator()(HDEVINFO set) const { SetupDiDestroyDeviceInfoList(set); }
};
using UniqueDeviceSet = std::unique_ptr<void, DeviceSetCloser>;

// Longer names than any port, friendly name or service has.
constexpr DWORD kTextCapacity = 512;
using TextBuffer = std::array<wchar_t, kTextCapacity>;

std::string textOf(const TextBuffer& buffer) {
    // The calls may fill the buffer without a NUL; the last one stays ours.
    return windows1252FromWide(std::wstring_view(buffer.data()).substr(0, kTextCapacity - 1));
}

std::string deviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    TextBuffer buffer{};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()),
                                           (kTextCapacity - 1) * sizeof(wchar_t), nullptr) ||
        type != REG_SZ) {
        return {};
    }
    return textOf(buffer);
}

// The port name the driver wrote into the device's hardware key.
std::string portNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    HKEY opened =
        SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (opened == INVALID_HANDLE_VALUE) {
        return {};
    }
    const UniqueRegistryKey key(opened);
    TextBuffer buffer{};
    DWORD type = 0;
    DWORD byteCount = (kTextCapacity - 1) * sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), L"PortName", nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &byteCount) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return textOf(buffer);
}

// The Ports class also holds printer ports; only COM names count from it.
void appendDevices(const GUID& guid, DWORD flags, bool onlyComNames,
                   std::vector<NamedPort>& ports) {
    HDEVINFO opened = SetupDiGetClassDevsW(&guid, nullptr, nullptr, flags | DIGCF_PRESENT);
    if (opened == INVALID_HANDLE_VALUE) {
        return;
    }
    const UniqueDeviceSet set(opened);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        std::string name = portNameOf(set.get(), device);
        if (name.empty() || (onlyComNames && !comPortNumber(name))) {
            continue;
        }
        ports.push_back({std::move(name), deviceProperty(set.get(), device, SPDRP_FRIENDLYNAME),
                         deviceProperty(set.get(), device, SPDRP_SERVICE)});
    }
}

} // namespace

std::vector<NamedPort> portsInDeviceManager() {
    std::vector<NamedPort> ports;
    appendDevices(kComPortInterface, DIGCF_DEVICEINTERFACE, false, ports);
    appendDevices(kPortsClass, 0, true, ports);
    return ports;
}

} // namespace drovane
