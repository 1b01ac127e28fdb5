#pragma once
// The program's command line: --com1 PATH, --com2 PATH (also --com1=PATH), --help, --version.

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString com1;          // empty: no override
    QString com2;
    QString error;         // for Action::Error
};

// Reads the arguments after the program name. Help and version win over everything else.
CommandLine ParseCommandLine(const QStringList& arguments);

// The text that --help prints, and the one that --version prints.
QString UsageText(const QString& programName);
QString VersionText();

} // namespace app
