#include "platform/SerialDevices.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <limits.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* RootVariable = "DUOCLAVE_DEVICE_ROOT";
// Node families in the order they are offered; a USB adapter is the likely device.
constexpr const char* NodePrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};
constexpr const char* UartPrefix = "ttyS";
// The UART type a ttyS slot without hardware reports (PORT_UNKNOWN).
constexpr const char* NoUartType = "0";
// How far up from a tty's sysfs device the USB device with its ids may sit (interface, device).
constexpr int UsbSearchDepth = 4;

std::string Root()
{
    const char* root = std::getenv(RootVariable);
    return root && *root ? std::string(root) : std::string();
}

// The names in `folder`, without "." and ".."; nothing when it can't be read.
std::optional<std::vector<std::string>> Names(const std::string& folder, int& error)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) {
        error = errno;
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    return names;
}

std::string FirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// "ttyUSB10" after "ttyUSB9": the number counts, not its digits.
bool NodeOrder(const std::string& a, const std::string& b)
{
    const auto digits = [](const std::string& s) { return s.find_first_of("0123456789"); };
    const std::size_t da = digits(a);
    const std::size_t db = digits(b);
    if (da == std::string::npos || db == std::string::npos || a.substr(0, da) != b.substr(0, db))
        return a < b;
    const std::string na = a.substr(da);
    const std::string nb = b.substr(db);
    return na.size() != nb.size() ? na.size() < nb.size() : na < nb;
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The USB ids and strings of the device behind tty `name`, from its sysfs device upwards.
void ReadUsbDetails(const std::string& sys, const std::string& name, SerialDevice& device)
{
    char resolved[PATH_MAX];
    if (!realpath((sys + "/class/tty/" + name + "/device").c_str(), resolved))
        return;
    std::string folder = resolved;
    for (int up = 0; up < UsbSearchDepth && folder.size() > sys.size(); ++up) {
        if (Exists(folder + "/idVendor")) {
            device.vendorId = FirstLine(folder + "/idVendor");
            device.productId = FirstLine(folder + "/idProduct");
            device.vendor = FirstLine(folder + "/manufacturer");
            device.product = FirstLine(folder + "/product");
            device.serial = FirstLine(folder + "/serial");
            return;
        }
        folder = folder.substr(0, folder.rfind('/'));
    }
}

// A ttyS slot is listed only with a UART behind it: the kernel makes slots for absent ones.
bool HasUart(const std::string& sys, const std::string& name)
{
    const std::string type = FirstLine(sys + "/class/tty/" + name + "/type");
    return !type.empty() && type != NoUartType;
}

} // namespace

Outcome<std::vector<SerialDevice>> ListSerialDevices()
{
    const std::string root = Root();
    const std::string dev = root + "/dev";
    const std::string sys = root + "/sys";
    Outcome<std::vector<SerialDevice>> result;

    int error = 0;
    const std::string byId = dev + "/serial/by-id";
    // No by-id folder is normal: udev makes it only while a USB serial device is plugged in.
    if (auto links = Names(byId, error)) {
        std::sort(links->begin(), links->end());
        for (const std::string& name : *links) {
            SerialDevice device;
            device.path = byId + "/" + name;
            char target[PATH_MAX];
            if (!realpath(device.path.c_str(), target))
                continue; // a link left behind by a device that is gone
            device.node = target;
            ReadUsbDetails(sys, BaseName(device.node), device);
            result.value.push_back(std::move(device));
        }
    }

    auto nodes = Names(dev, error);
    if (!nodes) {
        result.result = SerialResult::Failure("opendir", error);
        return result;
    }
    for (const char* prefix : NodePrefixes) {
        std::vector<std::string> family;
        for (const std::string& name : *nodes) {
            const std::string_view rest = std::string_view(name).substr(std::min(name.size(), std::string_view(prefix).size()));
            if (name.rfind(prefix, 0) == 0 && !rest.empty()
                && std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
                family.push_back(name);
        }
        std::sort(family.begin(), family.end(), NodeOrder);
        for (const std::string& name : family) {
            if (std::string_view(prefix) == UartPrefix && !HasUart(sys, name))
                continue;
            SerialDevice device;
            device.path = device.node = dev + "/" + name;
            ReadUsbDetails(sys, name, device);
            result.value.push_back(std::move(device));
        }
    }
    return result;
}

std::string StableDeviceName(const std::string& path)
{
    const std::string byId = Root() + "/dev/serial/by-id";
    if (path.rfind(byId + "/", 0) == 0)
        return path;
    struct stat wanted {};
    if (::stat(path.c_str(), &wanted) != 0 || !S_ISCHR(wanted.st_mode))
        return {};
    int error = 0;
    auto links = Names(byId, error);
    if (!links)
        return {};
    std::sort(links->begin(), links->end());
    for (const std::string& name : *links) {
        struct stat info {};
        const std::string link = byId + "/" + name;
        if (::stat(link.c_str(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == wanted.st_rdev)
            return link;
    }
    return {};
}

std::string DescribeSerialDevice(const SerialDevice& device)
{
    std::string text = device.vendor;
    if (!device.product.empty())
        text += (text.empty() ? "" : " ") + device.product;
    if (!device.serial.empty())
        text += (text.empty() ? "serial " : ", serial ") + device.serial;
    if (!device.vendorId.empty())
        text += (text.empty() ? "" : " ") + ("(" + device.vendorId + ":" + device.productId + ")");
    if (device.node != device.path || text.empty())
        text += (text.empty() ? "" : " on ") + device.node;
    return text;
}

} // namespace platform
