#pragma once
// list, read, write and working: the window's E2PROM editor on the command line. Each runs on
// the open PortHandle and returns the exit code.

#include "cli/Arguments.h"
#include "cli/Console.h"

namespace cli {

int ListCommand(const Invocation& invocation, Console& console);
int ReadCommand(const Invocation& invocation, Console& console, int row);
int WriteCommand(const Invocation& invocation, Console& console, int row);
int WorkingCommand(Console& console);

} // namespace cli
