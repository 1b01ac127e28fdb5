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

QString UsageText(const QString& programName)
{
    return QStringLiteral(
               "Usage: %1 [--com1 PATH] [--com2 PATH]\n"
               "\n"
               "Duoclave: E2PROM variables and sync measurement of the Duoclave controller\n"
               "on a serial port (9600 baud, 8N1).\n"
               "\n"
               "  --com1 PATH   the device behind \"COM 1\" (default /dev/ttyS0, or $DUOCLAVE_COM1)\n"
               "  --com2 PATH   the device behind \"COM 2\" (default /dev/ttyS1, or $DUOCLAVE_COM2)\n"
               "  --help        print this text and exit\n"
               "  --version     print the version and exit\n")
        .arg(programName);
}

QString VersionText() { return QStringLiteral("Duoclave V %1\n").arg(QStringLiteral(DUOCLAVE_VERSION)); }

} // namespace app
