#include "cli/HelpText.h"

#include "cli/ExitCodes.h"

#include <QStringList>
#include <algorithm>

namespace cli {

namespace {

constexpr int OptionColumn = 26;  // where the text of an option or command starts
constexpr int LineWidth = 79;     // a terminal's 80 columns, the last one left free

const OptionHelp JsonOption{"--json", nullptr, "print one JSON document instead of plain lines"};

HelpPage MakePage()
{
    HelpPage page;
    page.program = "duoclave-cli";
    page.synopsis = "duoclave-cli [--port PATH|COM1|COM2] COMMAND [OPERANDS] [OPTIONS]";
    page.summary = "the Duoclave controller's variables and sync measurement";
    page.description = {
        "Talks to the Duoclave controller on a serial port (9600 baud, 8N1) as the Duoclave window "
        "does: the same variables, conversions, range checks and messages, the same measurement and "
        "the same files.",
        "Results go to standard output, one plain line each (or one JSON document with --json); "
        "messages and failures go to standard error.",
        "Numbers are written and read with \".\" as the decimal separator, whatever the locale, so "
        "that scripts behave the same everywhere.",
    };
    page.globalOptions = {
        {"--port", "PATH|COM1|COM2",
         "the device: a device path, or COM1/COM2 as the window names them (default COM1)"},
        {"--com1", "PATH", "the device behind COM1 (default /dev/ttyS0, or $DUOCLAVE_COM1)"},
        {"--com2", "PATH", "the device behind COM2 (default /dev/ttyS1, or $DUOCLAVE_COM2)"},
        {"--help", nullptr, "print this text and exit"},
        {"--version", nullptr, "print the version and exit"},
    };
    page.commands = {
        {"list", "",
         "read all twenty variables; prints each as its number, a tab, its name, a tab and its value "
         "as the window shows it (ERROR where the device did not answer)",
         {JsonOption}},
        {"read", "ROW",
         "read one variable and print its value as the window shows it; ROW is its number (1..20) "
         "or any unique beginning of its name, in any case",
         {JsonOption}},
        {"write", "ROW VALUE",
         "convert, check and write one variable as the window does and print \"Value Stored\"; VALUE "
         "may be negative (-1.5); after \"--\" every argument is an operand",
         {{"--yes", nullptr,
           "the answer to the window's \"Are you 100% sure?\": the rows that ask (oscillator, commands, "
           "factors, Tele/Wide) are written only with it"}}},
        {"working", "",
         "have the device copy its E2PROM values into its working registers (\"E2PROM -> working\"); "
         "prints \"E2PROM values are copied!\"",
         {}},
        {"measure", "",
         "read the sync offset once a second as the window's measurement does and print each sample "
         "as its .dat line as it comes; missed readings are reported on standard error; ends after "
         "--seconds or on SIGINT/SIGTERM, then writes the files",
         {{"--seconds", "N", "stop after N seconds (N ticks of one second); default: until interrupted"},
          {"--out", "FILE.dat",
           "write the samples as the window's \"Save measurements\" does (whole or not at all)"},
          {"--picture", "FILE.wmf", "write the chart as the window's \"Save picture\" does"}}},
    };
    page.exitCodes = {
        {ExitSuccess, "success"},
        {ExitBadInput,
         "bad input: unknown row, value not valid or out of range, confirmation (--yes) missing, a file "
         "that cannot be written"},
        {ExitDevice,
         "the device did not answer or refused (\"ERROR\" or \"Comm error\" on standard error); for "
         "measure: a reading was missed (the files are written all the same)"},
        {ExitPort, "the port cannot be opened (the reason on standard error)"},
        {ExitUsage, "usage: unknown command or option, missing or extra operand"},
    };
    page.environment = {
        {"DUOCLAVE_COM1", "the device behind COM1 unless --com1 is given"},
        {"DUOCLAVE_COM2", "the device behind COM2 unless --com2 is given"},
        {"QT_QPA_PLATFORM",
         "the toolkit's platform for measure's chart; unset, duoclave-cli draws off screen "
         "(\"offscreen\"), so it needs no display and works over ssh"},
    };
    page.examples = {
        "duoclave-cli --port /dev/ttyUSB0 read \"power-off\"",
        "duoclave-cli write 4 -1.5",
        "duoclave-cli write \"oscillator page\" '$F' --yes",
        "duoclave-cli measure --seconds 3600 --out sync.dat --picture sync.wmf",
    };
    return page;
}

QString OptionLabel(const OptionHelp& option)
{
    QString label = QString::fromLatin1(option.name);
    if (option.argument) label += QLatin1Char(' ') + QString::fromLatin1(option.argument);
    return label;
}

// `text` broken at blanks into lines of at most `width` characters (a longer word stands alone).
QStringList Wrapped(const QString& text, int width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

// "  label   text", the text starting at OptionColumn (below the label if the label is long).
void AddEntry(QStringList& lines, const QString& label, const char* text, int indent)
{
    QString line = QString(indent, QLatin1Char(' ')) + label;
    if (line.size() + 2 > OptionColumn) {
        lines << line;
        line.clear();
    }
    const QString margin(OptionColumn, QLatin1Char(' '));
    for (const QString& part : Wrapped(QString::fromLatin1(text), LineWidth - OptionColumn)) {
        lines << line.leftJustified(OptionColumn, QLatin1Char(' ')) + part;
        line = margin;
    }
}

} // namespace

const HelpPage& CliHelp()
{
    static const HelpPage page = MakePage();
    return page;
}

const CommandHelp* FindCommand(const QString& name)
{
    const auto& commands = CliHelp().commands;
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const CommandHelp& c) { return name == QLatin1String(c.name); });
    return it == commands.end() ? nullptr : &*it;
}

QString HelpText()
{
    const HelpPage& page = CliHelp();
    QStringList lines;
    lines << QStringLiteral("Usage: %1").arg(QString::fromLatin1(page.synopsis));
    lines << QString::fromLatin1(page.program) + QStringLiteral(": ") + QString::fromLatin1(page.summary);
    for (const char* paragraph : page.description) lines << QString() << Wrapped(QString::fromLatin1(paragraph), LineWidth);
    lines << QString() << QStringLiteral("Commands:");
    for (const CommandHelp& command : page.commands) {
        QString label = QString::fromLatin1(command.name);
        if (*command.operands) label += QLatin1Char(' ') + QString::fromLatin1(command.operands);
        AddEntry(lines, label, command.text, 2);
        for (const OptionHelp& option : command.options) AddEntry(lines, OptionLabel(option), option.text, 4);
    }
    lines << QString() << QStringLiteral("Options for every command:");
    for (const OptionHelp& option : page.globalOptions) AddEntry(lines, OptionLabel(option), option.text, 2);
    lines << QString() << QStringLiteral("Exit status:");
    for (const ExitCodeHelp& exit : page.exitCodes) AddEntry(lines, QString::number(exit.code), exit.text, 2);
    lines << QString() << QStringLiteral("Environment:");
    for (const EnvironmentHelp& variable : page.environment)
        AddEntry(lines, QString::fromLatin1(variable.name), variable.text, 2);
    lines << QString() << QStringLiteral("Examples:");
    for (const char* example : page.examples) lines << QStringLiteral("  ") + QString::fromLatin1(example);
    return lines.join(QLatin1Char('\n'));
}

QString VersionText()
{
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(CliHelp().program), QStringLiteral(DUOCLAVE_VERSION));
}

} // namespace cli
