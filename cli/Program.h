#pragma once
// duoclave-cli from its arguments to its exit code: parse, open the port as the window does,
// run the command, release the port.

#include "cli/Console.h"

#include <QStringList>

namespace cli {

// `arguments` without the program name.
int RunProgram(const QStringList& arguments, Console& console);

} // namespace cli
