#pragma once
// Which device "COM1" and "COM2" stand for. The one resolution that the window and duoclave-cli
// share, strongest first:
//   1. a path set for this run: --com1/--com2 (platform::SetComPortPath), or a choice made in the
//      window during the run;
//   2. the environment: DUOCLAVE_COM1, DUOCLAVE_COM2;
//   3. the choice remembered from an earlier run (QSettings of "Duoclave"/"duoclave", the user's
//      configuration folder: ~/.config/Duoclave/duoclave.conf);
//   4. the default, /dev/ttyS0 and /dev/ttyS1.

#include <string>
#include <string_view>

namespace core {

enum class PortSource { ThisRun, Environment, Remembered, Default, Path };

struct ResolvedPort {
    std::string path;
    PortSource source = PortSource::Path;
};

// `name` is "Com1", "COM2", "\\.\COM1" ... (see platform::ComPortNumber) or a path; a path comes
// back as it is, with PortSource::Path.
ResolvedPort ResolvePort(std::string_view name);
std::string ResolvePortPath(std::string_view name);

// The path remembered for port `portNumber` (1, 2, ...); empty when none is.
std::string RememberedPortPath(int portNumber);

// The user's choice for port `portNumber`: remembered for later runs and used from now on in this
// run (over the environment and an earlier --comN). An empty path forgets the choice: the port is
// back to the environment or the default. False when the settings could not be written.
bool ChoosePortPath(int portNumber, const std::string& path);

// A few words on where a port's path comes from, for the user: "set for this run",
// "from DUOCLAVE_COM1", "remembered", "default".
std::string DescribePortSource(PortSource source, int portNumber);

} // namespace core
