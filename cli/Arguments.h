#pragma once
// duoclave-cli's command line: options anywhere (GNU style, "--name VALUE" or "--name=VALUE"),
// "--" ends them; the first operand is the command. Which options exist, which take a value and
// which command takes them comes from the help page (HelpText.h).

#include <QMap>
#include <QString>
#include <QStringList>

namespace cli {

struct Invocation {
    enum class Action { Run, Help, Manual, Version };
    Action action = Action::Run;
    QString command;               // "list", "read", "write", "working", "measure"
    QStringList operands;          // after the command
    QMap<QString, QString> options;  // given options by name ("--port"), flags with an empty value

    bool Has(const char* name) const { return options.contains(QLatin1String(name)); }
    QString Value(const char* name) const { return options.value(QLatin1String(name)); }
};

// Reads the arguments after the program name into `invocation`; false with `error` (one line
// for the user) when the command line is wrong. --help, --help-man (the manual page, for the
// build) and --version win over everything else.
bool ParseArguments(const QStringList& arguments, Invocation& invocation, QString& error);

} // namespace cli
