#include "cli/Arguments.h"

#include "cli/HelpText.h"

namespace cli {

namespace {

// Every option of the page by name, global or of a command. A name means the same (flag or
// with a value) wherever it appears.
const OptionHelp* FindOption(const QString& name)
{
    const HelpPage& page = CliHelp();
    for (const OptionHelp& option : page.globalOptions)
        if (name == QLatin1String(option.name)) return &option;
    for (const CommandHelp& command : page.commands)
        for (const OptionHelp& option : command.options)
            if (name == QLatin1String(option.name)) return &option;
    return nullptr;
}

bool IsGlobal(const QString& name)
{
    for (const OptionHelp& option : CliHelp().globalOptions)
        if (name == QLatin1String(option.name)) return true;
    return false;
}

bool TakesOption(const CommandHelp& command, const QString& name)
{
    for (const OptionHelp& option : command.options)
        if (name == QLatin1String(option.name)) return true;
    return false;
}

// "-1.5" and "-.5" are values (a negative number to write), not options.
bool LooksLikeOption(const QString& argument)
{
    if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) return false;
    const QChar next = argument[1];
    return !(next.isDigit() || next == QLatin1Char('.'));
}

int OperandCount(const CommandHelp& command)
{
    return int(QString::fromLatin1(command.operands).split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

} // namespace

bool ParseArguments(const QStringList& arguments, Invocation& invocation, QString& error)
{
    invocation = Invocation();
    for (const QString& a : arguments) {
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            invocation.action = Invocation::Action::Help;
            return true;
        }
        if (a == QLatin1String("--help-man")) {
            invocation.action = Invocation::Action::Manual;
            return true;
        }
        if (a == QLatin1String("--version")) {
            invocation.action = Invocation::Action::Version;
            return true;
        }
    }

    QStringList positional;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (optionsEnded || !LooksLikeOption(a)) {
            positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = a.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? a : a.left(equals);
        const OptionHelp* option = FindOption(name);
        if (!option) {
            error = QStringLiteral("unknown option: %1").arg(name);
            return false;
        }
        QString value;
        if (option->argument) {
            if (equals >= 0)
                value = a.mid(equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            if (value.isEmpty()) {
                error = QStringLiteral("%1 needs %2").arg(name, QString::fromLatin1(option->argument));
                return false;
            }
        } else if (equals >= 0) {
            error = QStringLiteral("%1 takes no value").arg(name);
            return false;
        }
        invocation.options.insert(name, value);
    }

    if (positional.isEmpty()) {
        error = QStringLiteral("no command given");
        return false;
    }
    invocation.command = positional.takeFirst();
    const CommandHelp* command = FindCommand(invocation.command);
    if (!command) {
        error = QStringLiteral("unknown command: %1").arg(invocation.command);
        return false;
    }
    for (auto it = invocation.options.cbegin(); it != invocation.options.cend(); ++it) {
        if (!IsGlobal(it.key()) && !TakesOption(*command, it.key())) {
            error = QStringLiteral("%1 does not go with %2").arg(it.key(), invocation.command);
            return false;
        }
    }
    const int wanted = OperandCount(*command);
    if (positional.size() < wanted) {
        error = QStringLiteral("%1 needs %2").arg(invocation.command, QString::fromLatin1(command->operands));
        return false;
    }
    if (positional.size() > wanted) {
        error = QStringLiteral("%1: unexpected operand: %2").arg(invocation.command, positional[wanted]);
        return false;
    }
    invocation.operands = positional;
    return true;
}

} // namespace cli
