#include "platform/PortNames.h"

#include <cctype>
#include <cstdlib>
#include <map>

namespace platform {

namespace {

constexpr std::string_view DriverPrefix = "\\\\.\\";     // \\.\  in front of a driver-style name
constexpr std::string_view ComPrefix = "com";
constexpr std::string_view EnvironmentPrefix = "DUOCLAVE_COM";
constexpr std::string_view DefaultDevicePrefix = "/dev/ttyS";
constexpr int LargestPortNumber = 256;

std::map<int, std::string>& Overrides()
{
    static std::map<int, std::string> overrides;
    return overrides;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

} // namespace

int ComPortNumber(std::string_view name)
{
    if (name.substr(0, DriverPrefix.size()) == DriverPrefix)
        name.remove_prefix(DriverPrefix.size());
    if (!StartsWithIgnoringCase(name, ComPrefix))
        return 0;
    name.remove_prefix(ComPrefix.size());
    if (name.empty() || name.size() > 3 || name.front() == '0')
        return 0;
    int number = 0;
    for (char c : name) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
        number = number * 10 + (c - '0');
    }
    return number <= LargestPortNumber ? number : 0;
}

std::string DevicePathForPortName(std::string_view name)
{
    const int number = ComPortNumber(name);
    if (number == 0)
        return std::string(name);
    if (std::string path = ComPortOverride(number); !path.empty())
        return path;
    const std::string variable = std::string(EnvironmentPrefix) + std::to_string(number);
    if (const char* path = std::getenv(variable.c_str()); path && *path)
        return path;
    return DefaultComPortPath(number);
}

std::string ComPortOverride(int portNumber)
{
    auto it = Overrides().find(portNumber);
    return it == Overrides().end() ? std::string() : it->second;
}

std::string DefaultComPortPath(int portNumber)
{
    return std::string(DefaultDevicePrefix) + std::to_string(portNumber - 1);
}

void SetComPortPath(int portNumber, std::string path)
{
    if (portNumber < 1)
        return;
    if (path.empty())
        Overrides().erase(portNumber);
    else
        Overrides()[portNumber] = std::move(path);
}

} // namespace platform
