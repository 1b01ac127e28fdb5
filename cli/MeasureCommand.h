#pragma once
// measure: the window's sync measurement without the window. One tick a second on the open
// PortHandle, each sample printed as its .dat line; at the end the .dat file and the picture as
// the window's two save actions write them.

#include "cli/Arguments.h"
#include "cli/Console.h"

#include <QString>

namespace core {
class PortConnection;
}

namespace cli {

struct MeasureSettings {
    int seconds = 0;      // ticks to run; 0: until a stop signal
    QString datPath;      // empty: no .dat file
    QString picturePath;  // empty: no picture
};

// Reads --seconds, --out and --picture; false with `error` for a usage error.
bool ReadMeasureSettings(const Invocation& invocation, MeasureSettings& settings, QString& error);

// Whether the files can be written at all, before an hour of samples depends on it; false with
// the reason.
bool CheckMeasureFiles(const MeasureSettings& settings, QString& error);

// Runs the measurement on the open `port` and saves; the exit code. A device that goes away is
// reported, waited for and reopened as the window does.
int MeasureCommand(const MeasureSettings& settings, Console& console, core::PortConnection& port);

} // namespace cli
