// The list of serial devices, read from a /dev and /sys laid out by the test as a machine with a
// USB adapter (by-id link, ttyUSB node, sysfs ids), a CDC modem, on-board UARTs and empty slots.

#include "platform/SerialDevices.h"
#include "support_pty.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class SerialDevices : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/duoclave-devices-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        setenv("DUOCLAVE_DEVICE_ROOT", root.c_str(), 1);
        fs::create_directories(root + "/dev");
        fs::create_directories(root + "/sys/class/tty");
    }
    void TearDown() override
    {
        unsetenv("DUOCLAVE_DEVICE_ROOT");
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    void Node(const std::string& name) { std::ofstream(root + "/dev/" + name); }
    void Write(const std::string& path, const std::string& text)
    {
        fs::create_directories(fs::path(root + path).parent_path());
        std::ofstream(root + path) << text << "\n";
    }
    void Link(const std::string& path, const std::string& target)
    {
        fs::create_directories(fs::path(root + path).parent_path());
        fs::create_symlink(target, root + path);
    }
    // A USB device at sysfs folder `usb` with tty `name` under interface `usb`:1.0 (deeper for
    // usb-serial adapters, whose tty sits below the interface).
    void UsbTty(const std::string& name, const std::string& usb, bool belowInterface, const std::string& vendorId,
                const std::string& productId, const std::string& vendor, const std::string& product, const std::string& serial)
    {
        const std::string device = "/sys/devices/pci0000:00/usb1/" + usb;
        Write(device + "/idVendor", vendorId);
        Write(device + "/idProduct", productId);
        if (!vendor.empty()) Write(device + "/manufacturer", vendor);
        if (!product.empty()) Write(device + "/product", product);
        if (!serial.empty()) Write(device + "/serial", serial);
        std::string tty = device + "/" + usb + ":1.0";
        if (belowInterface) tty += "/" + name;
        fs::create_directories(root + tty);
        Link("/sys/class/tty/" + name + "/device", "../../../devices/pci0000:00/usb1/" + usb + "/" + usb + ":1.0" +
                                                      (belowInterface ? "/" + name : ""));
    }
    std::vector<std::string> Paths(const std::vector<SerialDevice>& devices)
    {
        std::vector<std::string> paths;
        for (const SerialDevice& d : devices) paths.push_back(d.path.substr(root.size()));
        return paths;
    }

    std::string root;
};

TEST_F(SerialDevices, ByIdFirstThenUsbAcmAndUartsByNumber)
{
    for (const char* name : {"ttyUSB0", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS2", "tty0", "ttyUSBx", "null"})
        Node(name);
    Link("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "../../ttyUSB0");
    UsbTty("ttyUSB0", "1-1", true, "0403", "6001", "FTDI", "FT232R USB UART", "A50285BI");
    UsbTty("ttyACM0", "1-2", false, "2341", "0043", "Arduino", "Uno", "");
    Write("/sys/class/tty/ttyS0/type", "4");  // a 16550A
    Write("/sys/class/tty/ttyS1/type", "0");  // a slot without a UART
    // ttyS2 has no sysfs entry at all: not offered either.

    const Outcome<std::vector<SerialDevice>> listed = ListSerialDevices();
    ASSERT_TRUE(listed) << listed.result.Message();
    EXPECT_EQ(Paths(listed.value), (std::vector<std::string>{"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                                                             "/dev/ttyUSB0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0",
                                                             "/dev/ttyS0"}));

    const SerialDevice& byId = listed.value[0];
    EXPECT_EQ(byId.node, root + "/dev/ttyUSB0");
    EXPECT_EQ(byId.vendorId, "0403");
    EXPECT_EQ(byId.productId, "6001");
    EXPECT_EQ(byId.vendor, "FTDI");
    EXPECT_EQ(byId.product, "FT232R USB UART");
    EXPECT_EQ(byId.serial, "A50285BI");
    EXPECT_EQ(DescribeSerialDevice(byId), "FTDI FT232R USB UART, serial A50285BI (0403:6001) on " + root + "/dev/ttyUSB0");
    EXPECT_EQ(listed.value[1].serial, "A50285BI");

    const SerialDevice& acm = listed.value[4];
    EXPECT_EQ(acm.vendor, "Arduino");
    EXPECT_EQ(acm.serial, "");
    EXPECT_EQ(DescribeSerialDevice(acm), "Arduino Uno (2341:0043)");

    // A node that nothing is known about is described by itself.
    EXPECT_EQ(DescribeSerialDevice(listed.value.back()), root + "/dev/ttyS0");
}

TEST_F(SerialDevices, AByIdLinkLeftByAGoneDeviceIsNotOffered)
{
    Link("/dev/serial/by-id/usb-Gone_Adapter_1-if00-port0", "../../ttyUSB4");
    Node("ttyUSB1");
    const Outcome<std::vector<SerialDevice>> listed = ListSerialDevices();
    ASSERT_TRUE(listed);
    EXPECT_EQ(Paths(listed.value), (std::vector<std::string>{"/dev/ttyUSB1"}));
}

TEST_F(SerialDevices, AnUnreadableDeviceFolderIsAFailureWithItsCall)
{
    fs::remove_all(root + "/dev");
    const Outcome<std::vector<SerialDevice>> listed = ListSerialDevices();
    EXPECT_FALSE(listed.Ok());
    EXPECT_EQ(listed.result.Message().rfind("opendir:", 0), 0u) << listed.result.Message();
}

TEST_F(SerialDevices, ANodeIsFoundAgainByItsByIdName)
{
    PtyPair adapter;
    PtyPair other;
    Link("/dev/serial/by-id/usb-Maker_Adapter_77-if00-port0", adapter.SlavePath());
    const std::string byId = root + "/dev/serial/by-id/usb-Maker_Adapter_77-if00-port0";
    EXPECT_EQ(StableDeviceName(adapter.SlavePath()), byId);
    EXPECT_EQ(StableDeviceName(byId), byId);
    EXPECT_EQ(StableDeviceName(other.SlavePath()), "");
    EXPECT_EQ(StableDeviceName(root + "/dev/ttyUSB5"), "");
}

TEST(SerialDevicesOfThisMachine, ListWithoutFailing)
{
    unsetenv("DUOCLAVE_DEVICE_ROOT");
    const Outcome<std::vector<SerialDevice>> listed = ListSerialDevices();
    ASSERT_TRUE(listed) << listed.result.Message();
    for (const SerialDevice& d : listed.value) EXPECT_EQ(d.path.rfind("/dev/", 0), 0u) << d.path;
}

} // namespace
