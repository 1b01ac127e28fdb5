#pragma once
// The program's command line: --com1 PATH, --com2 PATH (also --com1=PATH), --help, --version,
// and --help-man, which the build runs to write the manual page.

#include "help/HelpPage.h"

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine {
    enum class Action { Run, Help, Manual, Version, Error };
    Action action = Action::Run;
    QString com1;          // empty: no override
    QString com2;
    QString error;         // for Action::Error
};

// Reads the arguments after the program name. Help, the manual and version win over everything
// else.
CommandLine ParseCommandLine(const QStringList& arguments);

// The options, exit codes, variables and files of the program, from which both texts below come.
const help::Page& HelpPage();

// The text that --help prints, the manual page that --help-man prints, and the --version line.
QString UsageText(const QString& programName);
QString ManualText();
QString VersionText();

} // namespace app
