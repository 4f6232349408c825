// Windows port discovery through the real registry and SetupAPI calls. Under
// Wine SERIALCOMM holds "\Device\SerialN" -> "COM(N+1)" for each /dev/ttySN
// Wine found at start, but no port that a dosdevices link alone makes, and
// the device manager lists no COM port at all; friendly names and drivers
// show only on a real Windows.

#include "serial/serial_ports_win32.h"

#include "core/text.h"
#include "serial/serial_ports_names.h"

#include <gtest/gtest.h>

#include <setupapi.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace drovane {
namespace {

std::vector<std::string> namesOf(const std::vector<NamedPort>& ports) {
    std::vector<std::string> names;
    names.reserve(ports.size());
    for (const NamedPort& port : ports) {
        names.push_back(port.name);
    }
    return names;
}

// A key of the test's own under HKEY_CURRENT_USER, gone afterwards.
class TestKey : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
    }

    void setBytes(const wchar_t* name, DWORD type, const void* data, DWORD size) const {
        ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    // The characters of `text` and as many NULs after them as asked.
    void setString(const wchar_t* name, const std::wstring& text, DWORD nuls = 1) const {
        const std::wstring data = text + std::wstring(nuls, L'\0');
        setBytes(name, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    }

    static constexpr wchar_t kPath[] = LR"(Software\DrovanePortsTest\SERIALCOMM)";
    HKEY key_ = nullptr;
};

TEST_F(TestKey, ReadsEveryStringValueWhateverItsTerminator) {
    setString(LR"(\Device\Serial0)", L"COM1");
    setString(LR"(\Device\VCP0)", L"COM10", 0);
    setString(LR"(\Device\USBSER000)", L"COM3", 3);
    setString(LR"(\Device\com0com10)", L"CNCA0");
    setString(std::wstring(300, L'N').c_str(), L"COM4");
    setString(LR"(\Device\Serial9)", L"COM" + std::wstring(200, L'9'));
    setString(LR"(\Device\Umlaut)", L"COM\u00E4");

    auto names = namesOf(portsInRegistryKey(HKEY_CURRENT_USER, kPath));
    std::ranges::sort(names);

    const std::vector<std::string> expected{
        "CNCA0", "COM1", "COM10", "COM3", "COM4", "COM" + std::string(200, '9'), "COM\xE4"};
    EXPECT_EQ(names, expected);
}

TEST_F(TestKey, SkipsValuesThatNameNoPort) {
    const DWORD number = 3;
    setBytes(L"number", REG_DWORD, &number, sizeof(number));
    setBytes(L"bytes", REG_BINARY, "COM5", 4);
    setString(L"empty", L"", 1);
    setString(L"only NULs", L"", 2);
    setString(L"", L"COM2"); // the key's default value counts like any other
    setString(L"real", L"COM6");

    auto names = namesOf(portsInRegistryKey(HKEY_CURRENT_USER, kPath));
    std::ranges::sort(names);

    const std::vector<std::string> expected{"COM2", "COM6"};
    EXPECT_EQ(names, expected);
}

TEST(PortsInRegistryKey, MissingKeyGivesNothing) {
    EXPECT_TRUE(
        portsInRegistryKey(HKEY_CURRENT_USER, LR"(Software\DrovanePortsTest\NoSuchKey)").empty());
}

// Every port of the real SERIALCOMM key once, COM numbers rising, each with
// its raw device.
void expectWholeAndOrdered(const std::vector<SerialPortInfo>& ports) {
    for (const NamedPort& port : portsInRegistryKey(HKEY_LOCAL_MACHINE, kSerialCommKey)) {
        EXPECT_EQ(std::ranges::count(ports, port.name, &SerialPortInfo::name), 1) << port.name;
    }
    std::vector<unsigned> numbers;
    for (const SerialPortInfo& port : ports) {
        EXPECT_EQ(port.devicePath.wstring(), LR"(\\.\)" + wideFromWindows1252(port.name));
        if (const auto number = comPortNumber(port.name)) {
            numbers.push_back(*number);
        }
    }
    EXPECT_EQ(std::ranges::adjacent_find(numbers, std::greater_equal<>()), numbers.end());
}

TEST(ListSerialPorts, HoldsTheSystemsPortsOnceInNumberOrder) {
    expectWholeAndOrdered(listSerialPorts());
}

// SERIALCOMM is volatile and, under Wine, writable: ports added there show up
// in their place. A real Windows lets only an administrator write it.
class SerialCommEntries : public testing::Test {
protected:
    void SetUp() override {
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_SET_VALUE, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            GTEST_SKIP() << "SERIALCOMM not writable (no administrator)";
        }
    }
    void TearDown() override {
        if (key_ == nullptr) {
            return;
        }
        for (const wchar_t* name : kValueNames) {
            RegDeleteValueW(key_, name);
        }
        RegCloseKey(key_);
    }
    void add(std::size_t index, const std::wstring& port) const {
        const auto size = static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t));
        ASSERT_EQ(RegSetValueExW(key_, kValueNames.at(index), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(port.c_str()), size),
                  ERROR_SUCCESS);
    }

    static constexpr std::array<const wchar_t*, 3> kValueNames{
        LR"(\Device\DrovaneTest0)", LR"(\Device\DrovaneTest1)", LR"(\Device\DrovaneTest2)"};
    HKEY key_ = nullptr;
};

TEST_F(SerialCommEntries, AppearInNumberOrderWithoutDeviceManagerNames) {
    add(0, L"COM42");
    add(1, L"COM9");
    add(2, L"COM42");

    const auto ports = listSerialPorts();
    expectWholeAndOrdered(ports);

    const auto at = [&](std::string_view name) {
        return std::ranges::find(ports, name, &SerialPortInfo::name);
    };
    ASSERT_NE(at("COM9"), ports.end());
    ASSERT_NE(at("COM42"), ports.end());
    EXPECT_LT(at("COM9"), at("COM42"));
    EXPECT_EQ(at("COM42")->devicePath.wstring(), LR"(\\.\COM42)");
}

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Devices made in Wine's device manager, removed afterwards. A real Windows
// would keep such devices as phantoms, so there it is left alone.
class DeviceManagerPorts : public testing::Test {
protected:
    static constexpr GUID kPortsClass{
        0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
    static constexpr GUID kComPortInterface{
        0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
    // A class of its own, as virtual null-modem drivers have.
    static constexpr GUID kOtherClass{
        0x5A1E0C3B, 0x41D2, 0x4C6F, {0x9A, 0x11, 0x6B, 0x2D, 0x70, 0x13, 0x88, 0x42}};

    void SetUp() override {
        if (!underWine()) {
            GTEST_SKIP() << "devices are made only in Wine's device manager";
        }
        set_ = SetupDiCreateDeviceInfoList(nullptr, nullptr);
        ASSERT_NE(set_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override {
        if (set_ == INVALID_HANDLE_VALUE) {
            return;
        }
        for (SP_DEVINFO_DATA& device : devices_) {
            SetupDiRemoveDevice(set_, &device);
        }
        SetupDiDestroyDeviceInfoList(set_);
    }

    static void setText(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property,
                        const std::wstring& text) {
        if (text.empty()) {
            return;
        }
        ASSERT_TRUE(SetupDiSetDeviceRegistryPropertyW(
            set, &device, property, reinterpret_cast<const BYTE*>(text.c_str()),
            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
    }

    void addDevice(const GUID& deviceClass, bool withInterface, const std::wstring& portName,
                   const std::wstring& friendlyName, const std::wstring& service) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        ASSERT_TRUE(SetupDiCreateDeviceInfoW(set_, L"DrovanePortsTest", &deviceClass, nullptr,
                                             nullptr, DICD_GENERATE_ID, &device));
        ASSERT_TRUE(SetupDiRegisterDeviceInfo(set_, &device, 0, nullptr, nullptr, nullptr));
        devices_.push_back(device);
        setText(set_, device, SPDRP_FRIENDLYNAME, friendlyName);
        setText(set_, device, SPDRP_SERVICE, service);
        const HKEY key = SetupDiCreateDevRegKeyW(set_, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                                 nullptr, nullptr);
        ASSERT_NE(key, INVALID_HANDLE_VALUE);
        const auto size = static_cast<DWORD>((portName.size() + 1) * sizeof(wchar_t));
        RegSetValueExW(key, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(portName.c_str()),
                       size);
        RegCloseKey(key);
        if (withInterface) {
            ASSERT_TRUE(SetupDiCreateDeviceInterfaceW(set_, &device, &kComPortInterface, nullptr, 0,
                                                      nullptr));
        }
    }

    HDEVINFO set_ = INVALID_HANDLE_VALUE;
    std::vector<SP_DEVINFO_DATA> devices_;
};

TEST_F(DeviceManagerPorts, GiveFriendlyNamesAndDriversButNoPrinterPorts) {
    addDevice(kPortsClass, false, L"COM43", L"Pr\u00FCfanschluss (COM43)", L"DrovaneSer");
    addDevice(kPortsClass, false, L"COM5", L"", L"");
    addDevice(kPortsClass, false, L"LPT3", L"Druckeranschluss (LPT3)", L"Parport");
    addDevice(kOtherClass, true, L"CNCA7", L"Nullmodem (CNCA7)", L"DrovaneNull");

    const auto ports = listSerialPorts();
    expectWholeAndOrdered(ports);

    const auto at = [&](std::string_view name) {
        return std::ranges::find(ports, name, &SerialPortInfo::name);
    };
    ASSERT_NE(at("COM43"), ports.end());
    EXPECT_EQ(*at("COM43"), (SerialPortInfo{"COM43",
                                            std::filesystem::path(LR"(\\.\COM43)"),
                                            {},
                                            "DrovaneSer",
                                            "Pr\xFC"
                                            "fanschluss (COM43)"}));
    ASSERT_NE(at("COM5"), ports.end());
    EXPECT_EQ(at("COM5")->friendlyName, "");
    EXPECT_LT(at("COM5"), at("COM43"));
    EXPECT_EQ(at("LPT3"), ports.end());
    ASSERT_NE(at("CNCA7"), ports.end());
    EXPECT_EQ(at("CNCA7")->friendlyName, "Nullmodem (CNCA7)");
    EXPECT_EQ(at("CNCA7")->driver, "DrovaneNull");
}

} // namespace
} // namespace drovane

namespace drovane {
namespace {

// The settings hand the name over as UTF-8: read again as Windows-1252, "ü"
// would reach CreateFileW as the two characters "Ã¼".
TEST(DeviceFileForPort, ConvertsTheNameOnce) {
    EXPECT_EQ(deviceFileForPort("COM7"), L"\\\\.\\COM7");
    EXPECT_EQ(deviceFileForPort("Dr\xC3\xBC"
                                "ck\xE2\x82\xAC"),
              L"\\\\.\\Dr\u00FCck\u20AC");
}

} // namespace
} // namespace drovane
