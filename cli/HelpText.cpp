#include "cli/HelpText.h"

#include "cli/ExitCodes.h"
#include "core/SyncMeasurement.h"

#include <algorithm>
#include <string>

namespace cli {

namespace {

static_assert(core::LastRecordedSample == 100000, "--out's text names the last sample a .dat file holds");

const OptionHelp JsonOption{"--json", nullptr, "print one JSON document instead of plain lines"};

HelpPage MakePage()
{
    HelpPage page;
    page.program = "duoclave-cli";
    page.summary = "the Duoclave controller's variables and sync measurement without the window";
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
         "the device: a device path, or COM1/COM2 as the window names them (default COM1); a COM "
         "port is the device that --com1/--com2 or DUOCLAVE_COM1/DUOCLAVE_COM2 name, else the one "
         "chosen in the window and remembered, else /dev/ttyS0 or /dev/ttyS1"},
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
         "as its .dat line as it comes; missed readings are reported on standard error, and so is a "
         "device that goes away, which is read again when it comes back; ends after --seconds or on "
         "SIGINT/SIGTERM, then writes the files",
         {{"--seconds", "N", "stop after N seconds (N ticks of one second); default: until interrupted"},
          {"--out", "FILE.dat",
           "write the samples as the window's \"Save measurements\" does: whole or not at all, sample "
           "numbers 0 to 100000 at most (later samples are printed only)"},
          {"--picture", "FILE",
           "write the chart as the window's \"Save picture\" does (whole or not at all): SVG, PDF or PNG "
           "when FILE ends in .svg, .pdf or .png, else a metafile with FILE's extension replaced by .wmf"}}},
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
    page.files = {
        {"~/.config/Duoclave/duoclave.conf",
         "the devices chosen in the window for COM1 and COM2, read but never written here (under "
         "$XDG_CONFIG_HOME when it is set)"},
        {"/dev/ttyS0", "COM1 unless --com1, DUOCLAVE_COM1 or a choice in the window name another device"},
        {"/dev/ttyS1", "COM2 unless --com2, DUOCLAVE_COM2 or a choice in the window name another device"},
    };
    page.examples = {
        "duoclave-cli --port /dev/ttyUSB0 read \"power-off\"",
        "duoclave-cli write 4 -1.5",
        "duoclave-cli write \"oscillator page\" '$F' --yes",
        "duoclave-cli measure --seconds 3600 --out sync.dat --picture sync.wmf",
    };
    return page;
}

std::string OptionTerm(const OptionHelp& option)
{
    std::string term = option.name;
    if (option.argument) term += std::string(" ") + option.argument;
    return term;
}

std::vector<help::Entry> OptionEntries(const std::vector<OptionHelp>& options)
{
    std::vector<help::Entry> entries;
    for (const OptionHelp& option : options) entries.push_back({OptionTerm(option), option.text});
    return entries;
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

help::Page HelpPageOf(const HelpPage& page)
{
    help::Page out;
    out.program = page.program;
    out.summary = page.summary;
    out.description.assign(page.description.begin(), page.description.end());
    help::Section commands{"Commands", {}};
    for (const CommandHelp& command : page.commands) {
        std::string usage = "[--port PATH|COM1|COM2] " + std::string(command.name);
        std::string term = command.name;
        if (*command.operands) {
            usage += std::string(" ") + command.operands;
            term += std::string(" ") + command.operands;
        }
        for (const OptionHelp& option : command.options) usage += " [" + OptionTerm(option) + "]";
        out.usage.push_back(usage);
        commands.entries.push_back({term, command.text, OptionEntries(command.options)});
    }
    out.sections.push_back(commands);
    out.sections.push_back({"Options", OptionEntries(page.globalOptions)});
    help::Section exits{"Exit status", {}};
    for (const ExitCodeHelp& exit : page.exitCodes) exits.entries.push_back({std::to_string(exit.code), exit.text});
    out.sections.push_back(exits);
    help::Section environment{"Environment", {}};
    for (const EnvironmentHelp& variable : page.environment) environment.entries.push_back({variable.name, variable.text});
    out.sections.push_back(environment);
    help::Section files{"Files", {}};
    for (const FileHelp& file : page.files) files.entries.push_back({file.path, file.text});
    out.sections.push_back(files);
    help::Section examples{"Examples", {}};
    for (const char* example : page.examples) examples.entries.push_back({example, ""});
    out.sections.push_back(examples);
    out.seeAlso = {"duoclave(1)", "duoclave-sim(1)"};
    return out;
}

QString HelpText()
{
    const HelpPage& page = CliHelp();
    return QString::fromStdString(help::HelpText(HelpPageOf(page), page.program)).chopped(1);
}

QString ManualText()
{
    return QString::fromStdString(help::ManualPage(HelpPageOf(CliHelp()), help::ManualDate(), "Duoclave " DUOCLAVE_VERSION));
}

QString VersionText()
{
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(CliHelp().program), QStringLiteral(DUOCLAVE_VERSION));
}

} // namespace cli
