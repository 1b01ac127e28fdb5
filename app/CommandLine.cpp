#include "app/CommandLine.h"

namespace app {

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine result;
    for (const QString& a : arguments) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            result.action = CommandLine::Action::Help;
            return result;
        }
        if (a == QLatin1String("--help-man")) {
            result.action = CommandLine::Action::Manual;
            return result;
        }
        if (a == QLatin1String("--version") || a == QLatin1String("-v")) {
            result.action = CommandLine::Action::Version;
            return result;
        }
    }
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString* target = nullptr;
        QString value;
        bool hasValue = false;
        for (auto [name, field] : {std::pair{QStringLiteral("--com1"), &result.com1},
                                   std::pair{QStringLiteral("--com2"), &result.com2}}) {
            if (a == name) {
                target = field;
                if (i + 1 < arguments.size()) {
                    value = arguments[++i];
                    hasValue = true;
                }
            } else if (a.startsWith(name + QLatin1Char('='))) {
                target = field;
                value = a.mid(name.size() + 1);
                hasValue = true;
            }
        }
        if (!target) {
            result.action = CommandLine::Action::Error;
            result.error = QStringLiteral("unknown argument: %1").arg(a);
            return result;
        }
        if (!hasValue || value.isEmpty()) {
            result.action = CommandLine::Action::Error;
            result.error = QStringLiteral("%1 needs a device path").arg(a.section(QLatin1Char('='), 0, 0));
            return result;
        }
        *target = value;
    }
    return result;
}

const help::Page& HelpPage()
{
    static const help::Page page{
        .program = "duoclave",
        .summary = "configure the Duoclave controller and chart its sync offset",
        .usage = {"[--com1 PATH] [--com2 PATH]"},
        .description = {
            "Duoclave: E2PROM variables and sync measurement of the Duoclave controller on a serial "
            "port (9600 baud, 8N1).",
            "The window reads and writes the twenty configuration variables that the device keeps in "
            "its E2PROM and has the device copy them into its working registers. A measurement reads "
            "the device's sync offset once per second and draws it as a chart that scrolls over the "
            "last hour; the samples can be saved as a tab-separated .dat file and the chart as a "
            "picture: a .wmf metafile, an .svg or .pdf with its text as text, or a .png.",
            "The window's \"COM 1\" and \"COM 2\" are /dev/ttyS0 and /dev/ttyS1 unless the options, "
            "the environment or the user name other devices, such as a USB adapter at "
            "/dev/serial/by-id/usb-...: a right click on \"Choose COM PORT\" lists the serial devices "
            "present and remembers the choice for later starts. The line under the port choice says "
            "whether the port opened, or why not and what to do. Opening a serial port needs read and "
            "write access to it: on Debian the user must be in the group dialout. When the device goes "
            "away (the adapter is pulled), a measurement goes on with missed readings and the port is "
            "opened again as soon as the device is back.",
            "The program also takes the standard options of the Qt toolkit, such as -platform and "
            "-style.",
        },
        .sections = {
            {"Options",
             {
                 {"--com1 PATH", "the device behind \"COM 1\" for this run, over $DUOCLAVE_COM1, the "
                                 "device chosen in the window and /dev/ttyS0; --com1=PATH works too"},
                 {"--com2 PATH", "the device behind \"COM 2\" for this run, over $DUOCLAVE_COM2, the "
                                 "device chosen in the window and /dev/ttyS1"},
                 {"-h, --help", "print this help and exit"},
                 {"-v, --version", "print the version and exit"},
             }},
            {"Exit status",
             {
                 {"0", "the window was closed, or --help or --version answered"},
                 {"2", "a mistake on the command line; the reason and the usage go to standard error"},
             }},
            {"Environment",
             {
                 {"DUOCLAVE_COM1", "the device behind \"COM 1\" when --com1 names none, over the device "
                                   "chosen in the window"},
                 {"DUOCLAVE_COM2", "the device behind \"COM 2\" when --com2 names none, over the device "
                                   "chosen in the window"},
                 {"DUOCLAVE_DEVICE_ROOT", "a folder that stands for the root when the window lists the "
                                          "serial devices present: it looks in its dev and sys folders "
                                          "instead of /dev and /sys"},
                 {"XDG_CONFIG_HOME", "the folder of Duoclave/duoclave.conf instead of ~/.config"},
             }},
            {"Files",
             {
                 {"~/.config/Duoclave/duoclave.conf", "the devices chosen in the window for \"COM 1\" and "
                                                      "\"COM 2\" (under $XDG_CONFIG_HOME when it is set)"},
                 {"/dev/serial/by-id/", "the stable names of USB serial adapters, offered first"},
                 {"/dev/ttyS0", "\"COM 1\" unless --com1, DUOCLAVE_COM1 or a choice in the window name "
                                "another device"},
                 {"/dev/ttyS1", "\"COM 2\" unless --com2, DUOCLAVE_COM2 or a choice in the window name "
                                "another device"},
             }},
        },
        .seeAlso = {"duoclave-cli(1)", "duoclave-sim(1)"},
    };
    return page;
}

QString UsageText(const QString& programName)
{
    return QString::fromStdString(help::HelpText(HelpPage(), programName.toStdString()));
}

QString ManualText()
{
    return QString::fromStdString(
        help::ManualPage(HelpPage(), help::ManualDate(), "Duoclave " DUOCLAVE_VERSION));
}

QString VersionText() { return QStringLiteral("Duoclave V %1\n").arg(QStringLiteral(DUOCLAVE_VERSION)); }

} // namespace app
