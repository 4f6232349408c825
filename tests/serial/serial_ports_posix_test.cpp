// Port discovery on a sysfs and /dev tree built in a temporary folder, laid
// out as the kernel lays out the kinds of tty it has, and once on this
// machine's own /sys.

#include "serial/serial_ports_posix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace drovane {
namespace {

namespace fs = std::filesystem;

class FakeTree : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("serial_ports_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(sys() / "class" / "tty");
        fs::create_directories(dev() / "serial" / "by-id");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path sys() const { return root_ / "sys"; }
    fs::path dev() const { return root_ / "dev"; }
    SerialPortRoots roots() const { return {sys(), dev()}; }

    static void write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text << '\n';
    }

    // A driver folder under /sys/bus and a link to it from `device`.
    void bindDriver(const fs::path& device, const std::string& bus, const std::string& driver) {
        const fs::path folder = sys() / "bus" / bus / "drivers" / driver;
        fs::create_directories(folder);
        fs::create_directory_symlink(fs::relative(folder, device), device / "driver");
    }

    // The class entry of a tty whose node lives in `deviceFolder`/tty/name; the
    // device link is made only when the tty has hardware behind it.
    fs::path addTty(const std::string& name, const fs::path& deviceFolder, bool withDevice) {
        fs::path node = deviceFolder / "tty" / name;
        fs::create_directories(node);
        write(node / "dev", "4:64");
        if (withDevice) {
            fs::create_directory_symlink(fs::relative(deviceFolder, node), node / "device");
        }
        fs::create_directory_symlink(fs::relative(node, sys() / "class" / "tty"),
                                     sys() / "class" / "tty" / name);
        return node;
    }

    void addVirtualTty(const std::string& name) {
        addTty(name, sys() / "devices" / "virtual" / "tty", false);
    }

    void addUsbSerial(const std::string& name, const std::string& driver) {
        const fs::path device =
            sys() / "devices" / "pci0000:00" / "usb1" / "1-1" / "1-1:1.0" / name;
        fs::create_directories(device);
        bindDriver(device, "usb-serial", driver);
        addTty(name, device, true);
    }

    void addAcm(const std::string& name, const std::string& interface) {
        const fs::path device = sys() / "devices" / "pci0000:00" / "usb1" / "1-2" / interface;
        fs::create_directories(device);
        bindDriver(device, "usb", "cdc_acm");
        addTty(name, device, true);
    }

    // An 8250 UART as kernels since 6.3 show it: the tty's device is a port
    // of the serial core, bound to its "port" driver, below the hardware.
    void addUart(const std::string& name, const std::string& type, bool hardwareDriver) {
        const fs::path hardware = sys() / "devices" / "pnp0" / ("00:0" + name.substr(4));
        const fs::path port = hardware / "ctrl" / "port";
        fs::create_directories(port);
        bindDriver(port, "serial-base", "port");
        if (hardwareDriver) {
            bindDriver(hardware, "pnp", "serial");
        }
        write(addTty(name, port, true) / "type", type);
    }

    void addById(const std::string& alias, const std::string& device) {
        fs::create_symlink(fs::path("../..") / device, dev() / "serial" / "by-id" / alias);
    }

    fs::path root_;
};

TEST_F(FakeTree, ListsRealPortsInKindAndNumberOrderWithDriverAndAlias) {
    addVirtualTty("tty0");
    addVirtualTty("tty12");
    addVirtualTty("console");
    addVirtualTty("ptmx");
    addVirtualTty("ttyp0"); // a legacy pseudo-terminal
    addUart("ttyS1", "4", true);
    addUart("ttyS0", "4", true);
    addAcm("ttyACM0", "1-2:1.0");
    addUsbSerial("ttyUSB10", "pl2303");
    addUsbSerial("ttyUSB2", "ftdi_sio");
    addById("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB2");
    addById("usb-Arduino_Uno_7583-if00", "ttyACM0");

    const auto ports = listSerialPorts(roots());

    ASSERT_EQ(ports.size(), 5U);
    EXPECT_EQ(ports[0],
              (SerialPortInfo{"ttyUSB2", dev() / "ttyUSB2",
                              dev() / "serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                              "ftdi_sio", ""}));
    EXPECT_EQ(ports[1], (SerialPortInfo{"ttyUSB10", dev() / "ttyUSB10", {}, "pl2303", ""}));
    EXPECT_EQ(ports[2],
              (SerialPortInfo{"ttyACM0", dev() / "ttyACM0",
                              dev() / "serial/by-id/usb-Arduino_Uno_7583-if00", "cdc_acm", ""}));
    // The serial core's own "port" driver is passed over for the hardware's.
    EXPECT_EQ(ports[3], (SerialPortInfo{"ttyS0", dev() / "ttyS0", {}, "serial", ""}));
    EXPECT_EQ(ports[4].name, "ttyS1");
}

TEST_F(FakeTree, PassesOverUartsNoHardwareAnswersFor) {
    addUart("ttyS0", "4", true);
    addUart("ttyS1", "0", true);  // registered placeholder, no UART there
    addUart("ttyS2", "4", false); // only the serial core's driver
    addTty("ttyS3", sys() / "devices" / "platform" / "serial8250", false);

    const auto ports = listSerialPorts(roots());

    ASSERT_EQ(ports.size(), 1U);
    EXPECT_EQ(ports[0].name, "ttyS0");
}

TEST_F(FakeTree, IgnoresNamesThatOnlyLookLikePorts) {
    addUsbSerial("ttyUSB", "ftdi_sio");
    addUsbSerial("ttyUSBx1", "ftdi_sio");
    addUsbSerial("ttyUSB-1", "ftdi_sio");
    addUsbSerial("ttyUSB3", "ftdi_sio");

    const auto ports = listSerialPorts(roots());

    ASSERT_EQ(ports.size(), 1U);
    EXPECT_EQ(ports[0].name, "ttyUSB3");
}

TEST_F(FakeTree, MissingTreesGiveNothingAndBrokenAliasesAreSkipped) {
    addUsbSerial("ttyUSB0", "ftdi_sio");
    fs::create_symlink("../../ttyUSB0", dev() / "serial" / "by-id" / "b-second");
    fs::create_symlink("../../ttyUSB0", dev() / "serial" / "by-id" / "a-first");
    fs::create_directory(dev() / "serial" / "by-id" / "not-a-link");

    const auto ports = listSerialPorts(roots());
    ASSERT_EQ(ports.size(), 1U);
    EXPECT_EQ(ports[0].byIdAlias, dev() / "serial" / "by-id" / "a-first");

    EXPECT_TRUE(listSerialPorts({root_ / "nowhere", root_ / "nowhere"}).empty());
}

// Device numbers of the ttys that are never serial ports: virtual consoles
// (major 4 below minor 64), /dev/tty and the console (major 5), legacy and
// Unix 98 pseudo-terminals.
bool isConsoleOrPseudoTerminal(dev_t number) {
    const unsigned int majorNumber = major(number);
    const unsigned int minorNumber = minor(number);
    return (majorNumber == 4 && minorNumber < 64) || majorNumber == 5 || majorNumber == 2 ||
           majorNumber == 3 || (majorNumber >= 136 && majorNumber <= 143);
}

std::optional<dev_t> kernelDeviceNumber(const std::string& tty) {
    std::ifstream numbers(fs::path("/sys/class/tty") / tty / "dev");
    unsigned int majorNumber = 0;
    unsigned int minorNumber = 0;
    char colon = 0;
    if (!(numbers >> majorNumber >> colon >> minorNumber)) {
        return std::nullopt;
    }
    return makedev(majorNumber, minorNumber);
}

TEST(SerialPortsOnThisMachine, ListsNoPseudoTerminalOrVirtualConsole) {
    std::set<std::string> listed;
    for (const SerialPortInfo& port : listSerialPorts()) {
        SCOPED_TRACE(port.name);
        listed.insert(port.name);
        EXPECT_EQ(port.devicePath, fs::path("/dev") / port.name);
        const auto number = kernelDeviceNumber(port.name);
        ASSERT_TRUE(number.has_value());
        EXPECT_FALSE(isConsoleOrPseudoTerminal(*number));
        struct stat status {};
        if (::stat(port.devicePath.c_str(), &status) == 0) {
            EXPECT_TRUE(S_ISCHR(status.st_mode));
            EXPECT_FALSE(isConsoleOrPseudoTerminal(status.st_rdev));
        }
    }
    // Every machine has virtual consoles or a console; none of them is listed.
    int consoles = 0;
    for (const auto& entry : fs::directory_iterator("/sys/class/tty")) {
        const std::string name = entry.path().filename().string();
        const auto number = kernelDeviceNumber(name);
        if (number && isConsoleOrPseudoTerminal(*number)) {
            ++consoles;
            EXPECT_EQ(listed.count(name), 0U) << name;
        }
    }
    EXPECT_GT(consoles, 0);
}

} // namespace
} // namespace drovane
