#include "cli/Program.h"

#include "cli/Arguments.h"
#include "cli/EditorCommands.h"
#include "cli/ExitCodes.h"
#include "cli/HelpText.h"
#include "cli/MeasureCommand.h"
#include "cli/RowLookup.h"
#include "core/PortChoice.h"
#include "core/PortConnection.h"
#include "core/PortMessages.h"
#include "core/PortOpening.h"
#include "core/PortState.h"
#include "platform/PortNames.h"

#include <cstring>

namespace cli {

namespace {

int UsageError(Console& console, const QString& error)
{
    console.Err(error);
    console.Err(QStringLiteral("Try '%1 --help'.").arg(QString::fromLatin1(CliHelp().program)));
    return ExitUsage;
}

// Opens the chosen port as the window opens its port at start; 0 or ExitPort.
int OpenChosenPort(const Invocation& invocation, Console& console, core::PortConnection& port)
{
    if (invocation.Has("--com1")) platform::SetComPortPath(1, invocation.Value("--com1").toStdString());
    if (invocation.Has("--com2")) platform::SetComPortPath(2, invocation.Value("--com2").toStdString());
    const QString name = invocation.Has("--port") ? invocation.Value("--port")
                                                  : QString::fromLatin1(core::DefaultPortName).toUpper();
    PortDeviceName = name.toStdString();
    const core::ResolvedPort resolved = core::ResolvePort(PortDeviceName);
    // A device unplugged and plugged in again during a measurement is reopened with these.
    port.SetLineSetup([] { core::ApplyStartupLineSettings(); });
    if (!port.Open(resolved.path)) {
        // Where a COM name led, and why the open failed, in the words the window uses.
        const QString where = resolved.source == core::PortSource::Path
            ? name
            : QStringLiteral("%1 (%2, %3)")
                  .arg(name, QString::fromStdString(resolved.path),
                       QString::fromStdString(core::DescribePortSource(resolved.source, platform::ComPortNumber(PortDeviceName))));
        QString reason = QString::fromLatin1(core::PortFailureAdvice(port.Failure()));
        if (reason.isEmpty()) reason = QString::fromLocal8Bit(std::strerror(port.Result().error));
        console.Err(QStringLiteral("cannot open port %1: %2").arg(where, reason));
        return ExitPort;
    }
    core::ApplyStartupLineSettings();
    return ExitSuccess;
}

} // namespace

int RunProgram(const QStringList& arguments, Console& console)
{
    Invocation invocation;
    QString error;
    if (!ParseArguments(arguments, invocation, error)) return UsageError(console, error);
    switch (invocation.action) {
    case Invocation::Action::Help: console.Out(HelpText()); return ExitSuccess;
    case Invocation::Action::Manual: console.Out(ManualText().chopped(1)); return ExitSuccess;
    case Invocation::Action::Version: console.Out(VersionText()); return ExitSuccess;
    case Invocation::Action::Run: break;
    }

    // Everything that needs no device is checked before the port is touched.
    int row = -1;
    if (invocation.command == QLatin1String("read") || invocation.command == QLatin1String("write")) {
        const RowMatch match = FindRow(invocation.operands[0]);
        if (match.index < 0) {
            console.Err(match.error);
            return ExitBadInput;
        }
        row = match.index;
    }
    MeasureSettings measure;
    if (invocation.command == QLatin1String("measure")) {
        if (!ReadMeasureSettings(invocation, measure, error)) return UsageError(console, error);
        if (!CheckMeasureFiles(measure, error)) {
            console.Err(error);
            return ExitBadInput;
        }
    }

    core::PortConnection port;
    if (const int opened = OpenChosenPort(invocation, console, port); opened != ExitSuccess) return opened;
    int status = ExitSuccess;
    if (invocation.command == QLatin1String("list"))
        status = ListCommand(invocation, console);
    else if (invocation.command == QLatin1String("read"))
        status = ReadCommand(invocation, console, row);
    else if (invocation.command == QLatin1String("write"))
        status = WriteCommand(invocation, console, row);
    else if (invocation.command == QLatin1String("working"))
        status = WorkingCommand(console);
    else
        status = MeasureCommand(measure, console, port);
    port.Close();
    return status;
}

} // namespace cli
