// duoclave-cli's list, read, write and working against duoclave-sim on a pty: the program run as
// a script runs it, its standard output, its messages and its exit code, and what reached the
// device.

#include "cli/ExitCodes.h"
#include "core/PortMessages.h"
#include "platform/PortFailure.h"
#include "platform/SerialPort.h"
#include "support/SimProcess.h"
#include "support_cli.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <iostream>
#include <langinfo.h>
#include <locale.h>
#include <memory>

using testing_support::CliResult;
using testing_support::RunCli;

namespace {

// Registers 0..20 with a value that shows each row's display format.
const std::vector<std::string> Presets{
    "--reg", "0=10",   "--reg", "1=10",   "--reg", "2=255",    "--reg", "3=0x34FF", "--reg", "4=0x000C",
    "--reg", "5=3",    "--reg", "6=0xFFFF", "--reg", "7=0xFFFF", "--reg", "8=0xFFFD", "--reg", "9=10",
    "--reg", "10=0xABCD", "--reg", "11=0", "--reg", "12=0x0100", "--reg", "13=1",   "--reg", "14=0xFFFF",
    "--reg", "15=0x1234", "--reg", "16=0x8000", "--reg", "17=65535", "--reg", "18=1234", "--reg", "102=0x10",
    "--reg", "19=59",  "--reg", "20=249"};

// What the window's edit field shows for each row with the presets above, in list order.
const char* const Shown[] = {"$A",    "$0A",   "$FF",   "399.9995", "1.5",   "-0.0005", "-1.5",
                             "$000A", "$ABCD", "$0000", "$0100",    "$0001", "$FFFF",   "$1234",
                             "$8000", "65535", "1234",  "$10",      "1.96666666666667", "249"};

class CliEditor : public ::testing::Test {
protected:
    void Start(std::vector<std::string> options = {})
    {
        sim = std::make_unique<SimProcess>(options);
        ASSERT_TRUE(sim->Running()) << sim->Error();
    }
    void TearDown() override
    {
        if (HasFailure() && sim) std::cout << sim->TraceText();
    }
    CliResult Cli(QStringList arguments, const QStringList& environment = {})
    {
        arguments.prepend(QString::fromStdString(sim->LinkPath()));
        arguments.prepend(QStringLiteral("--port"));
        return RunCli(arguments, environment);
    }
    std::size_t SentBytes() const { return sim->TraceBytes(true).size(); }
    long E2prom(int reg) { return sim->DumpValue("e2prom " + std::to_string(reg)); }

    std::unique_ptr<SimProcess> sim;
};

TEST_F(CliEditor, ListShowsEveryRowAsTheEditorDoes)
{
    Start(Presets);
    const CliResult plain = Cli({QStringLiteral("list")});
    EXPECT_EQ(plain.exitCode, cli::ExitSuccess) << plain.err.toStdString();
    const QStringList lines = plain.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[0], QStringLiteral("1\tOscillator Page\t$A"));
    EXPECT_EQ(lines[19], QStringLiteral("20\tNumber of photo empty frames\t249"));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(lines[i].section(QLatin1Char('\t'), 2), QString::fromLatin1(Shown[i])) << i + 1;

    const CliResult json = Cli({QStringLiteral("list"), QStringLiteral("--json")});
    EXPECT_EQ(json.exitCode, cli::ExitSuccess);
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 20);
    for (int i = 0; i < 20; ++i) {
        const QJsonObject row = rows[i].toObject();
        EXPECT_EQ(row[QStringLiteral("row")].toInt(), i + 1);
        EXPECT_EQ(row[QStringLiteral("text")].toString(), lines[i].section(QLatin1Char('\t'), 1, 1));
        EXPECT_EQ(row[QStringLiteral("value")].toString(), QString::fromLatin1(Shown[i]));
    }
    EXPECT_EQ(rows[17].toObject()[QStringLiteral("note")].toString(), QStringLiteral("Attention! Only the second bytes are shown!!"));
}

TEST_F(CliEditor, ReadPrintsOneValueByNumberOrName)
{
    Start(Presets);
    const std::pair<const char*, const char*> reads[] = {
        {"1", "$A"}, {"oscillator address", "$0A"}, {"4", "399.9995"}, {"Power-on delay (us): c", "1.5"},
        {"7", "-1.5"}, {"command2: CAM", "$ABCD"}, {"16", "65535"}, {"power-off", "1.96666666666667"}, {"20", "249"}};
    for (const auto& [row, shown] : reads) {
        const CliResult r = Cli({QStringLiteral("read"), QString::fromUtf8(row)});
        EXPECT_EQ(r.exitCode, cli::ExitSuccess) << row << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QString::fromLatin1(shown) + QLatin1Char('\n')) << row;
        EXPECT_EQ(r.err, QString()) << row;
    }
    const CliResult tele = Cli({QStringLiteral("read"), QStringLiteral("tele"), QStringLiteral("--json")});
    EXPECT_EQ(tele.exitCode, cli::ExitSuccess);
    EXPECT_EQ(tele.out, QStringLiteral("{\"note\":\"Attention! Only the second bytes are shown!!\",\"row\":18,"
                                       "\"text\":\"Tele/Wide command (camcorders)\",\"value\":\"$10\"}\n"));
    EXPECT_TRUE(tele.err.contains(QStringLiteral("Attention! Only the second bytes are shown!!")));
}

struct WriteCase {
    const char* row;
    const char* value;
    bool yes;
    int reg;          // first register written
    uint32_t stored;  // both halves for a two-register row
    bool twoRegisters;
};

TEST_F(CliEditor, WriteConvertsChecksAndStoresAsTheEditorDoes)
{
    Start();
    const WriteCase cases[] = {
        {"1", "$F", true, 0, 15, false},          {"oscillator address", "0xFF", true, 1, 255, false},
        {"4", "0", false, 3, 0, true},            {"4", "399.9995", false, 3, 799999, true},
        {"6", "50", false, 6, 100000, true},      {"5", "1.5", false, 5, 3, false},
        {"5", "-1.5", false, 5, 0xFFFD, false},   {"5", "15000", false, 5, 30000, false},
        {"5", "20", false, 5, 40, false},         {"7", "-2", false, 8, 0xFFFC, false},
        {"8", "-1", true, 9, 0xFFFF, false},      {"15", "$12345", true, 16, 0x2345, false},
        {"16", "70000", true, 17, 70000 & 0xFFFF, false}, {"tele", "$1FF", true, 98, 0x1FF, false},
        {"power-off", "1.9", false, 19, 57, false}, {"20", "249", false, 20, 249, false},
        {"20", "2.5", false, 20, 2, false},       {"5", "1.5e1", false, 5, 30, false},
    };
    for (const WriteCase& c : cases) {
        QStringList args{QStringLiteral("write"), QString::fromUtf8(c.row), QString::fromUtf8(c.value)};
        if (c.yes) args << QStringLiteral("--yes");
        const CliResult r = Cli(args);
        const std::string what = std::string(c.row) + " " + c.value;
        EXPECT_EQ(r.exitCode, cli::ExitSuccess) << what << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("Value Stored\n")) << what;
        if (c.reg == 98) continue; // the Tele/Wide command is no E2PROM register
        EXPECT_EQ(E2prom(c.reg), long(c.stored & 0xFFFF)) << what;
        if (c.twoRegisters) {
            EXPECT_EQ(E2prom(c.reg + 1), long(c.stored >> 16)) << what;
        }
    }
}

struct RejectCase {
    const char* row;
    const char* value;
    bool yes;
    int exitCode;
    const char* message;
};

TEST_F(CliEditor, InvalidInputIsRefusedAndNothingIsSent)
{
    Start();
    const RejectCase cases[] = {
        {"1", "16", true, cli::ExitBadInput, "Value must be between $0 and $F"},
        {"1", "65536", true, cli::ExitBadInput, "Value must be between $0 and $F"},
        {"1", "-1", true, cli::ExitBadInput, "Value must be between $0 and $F"},
        {"3", "256", true, cli::ExitBadInput, "Value must be between $0 and $FF"},
        {"4", "400", false, cli::ExitBadInput, "Value must be between 0 and 400"},
        {"4", "-1", false, cli::ExitBadInput, "Value must be between 0 and 400"},
        {"5", "15000.5", false, cli::ExitBadInput, "Value must be between -15 and 15"},
        {"7", "15001", false, cli::ExitBadInput, "ERROR: value out of range"},
        {"19", "2", false, cli::ExitBadInput, "ERROR: value out of range"},
        {"20", "250", false, cli::ExitBadInput, "ERROR: value out of range"},
        {"1", "abc", true, cli::ExitBadInput, "'abc' is not a valid integer value."},
        {"8", "12x", true, cli::ExitBadInput, "'12x' is not a valid integer value."},
        {"8", "2147483648", true, cli::ExitBadInput, "'2147483648' is not a valid integer value."},
        {"5", "", false, cli::ExitBadInput, "'' is not a valid floating point value."},
        {"5", "1,5", false, cli::ExitBadInput, "'1,5' is not a valid floating point value."},
        {"1", "5", false, cli::ExitBadInput, "is written only with --yes"},
        {"tele", "1", false, cli::ExitBadInput, "is written only with --yes"},
        {"21", "1", false, cli::ExitBadInput, "no row 21"},
        {"command1", "1", true, cli::ExitBadInput, "fits more than one row"},
    };
    for (const RejectCase& c : cases) {
        QStringList args{QStringLiteral("write"), QString::fromUtf8(c.row), QString::fromUtf8(c.value)};
        if (c.yes) args << QStringLiteral("--yes");
        const std::size_t sentBefore = SentBytes();
        const CliResult r = Cli(args);
        const std::string what = std::string(c.row) + " " + c.value;
        EXPECT_EQ(r.exitCode, c.exitCode) << what;
        EXPECT_EQ(r.out, QString()) << what;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << what << ": " << r.err.toStdString();
        EXPECT_EQ(SentBytes(), sentBefore) << what;
    }
}

TEST_F(CliEditor, WorkingCopiesTheE2PROM)
{
    Start({"--reg", "9=0x1234"});
    const CliResult r = Cli({QStringLiteral("working")});
    EXPECT_EQ(r.exitCode, cli::ExitSuccess) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("E2PROM values are copied!\n"));
    EXPECT_EQ(sim->DumpValue("copies"), 1);
    EXPECT_EQ(sim->DumpValue("working 9"), 0x1234);
}

struct DeviceFailure {
    const char* fault;
    std::initializer_list<const char*> args;
    const char* message;
};

TEST_F(CliEditor, ADeviceThatIsSilentOrRefusesEndsWithCodeTwo)
{
    Start({"--reg", "5=20"});
    const DeviceFailure cases[] = {
        {"silence", {"read", "1"}, "ERROR"},
        {"silence", {"read", "4"}, "ERROR"},
        {"no-high-byte", {"read", "5"}, "ERROR"},
        {"silence", {"write", "5", "1"}, "Comm error"},
        {"refuse-writes", {"write", "5", "1"}, "Comm error"},
        {"no-ack", {"write", "4", "100"}, "Comm error"},
        {"silence", {"working"}, "Comm error"},
        {"refuse-writes", {"working"}, "Comm error"},
    };
    for (const DeviceFailure& c : cases) {
        ASSERT_TRUE(sim->Control("fault off all"));
        ASSERT_TRUE(sim->Control(std::string("fault on ") + c.fault));
        QStringList args;
        for (const char* a : c.args) args << QString::fromUtf8(a);
        const CliResult r = Cli(args);
        const std::string what = std::string(c.fault) + ": " + args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, cli::ExitDevice) << what;
        EXPECT_EQ(r.out, QString()) << what;
        EXPECT_EQ(r.err, QStringLiteral("duoclave-cli: %1\n").arg(QString::fromLatin1(c.message))) << what;
    }
    ASSERT_TRUE(sim->Control("fault off all"));
    EXPECT_EQ(E2prom(5), 20);
    EXPECT_EQ(sim->DumpValue("copies"), 0);

    // A list goes on past rows that fail and marks them as the editor does.
    ASSERT_TRUE(sim->Control("fault on silence"));
    const CliResult list = Cli({QStringLiteral("list")});
    EXPECT_EQ(list.exitCode, cli::ExitDevice);
    const QStringList lines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);
    for (const QString& line : lines) EXPECT_TRUE(line.endsWith(QStringLiteral("\tERROR"))) << line.toStdString();
    EXPECT_EQ(list.err.count(QStringLiteral(": ERROR\n")), 20);
}

TEST_F(CliEditor, PortsResolveAsTheWindowsDoAndFailWithTheirReason)
{
    Start({"--reg", "20=7"});
    const QString link = QString::fromStdString(sim->LinkPath());
    const QStringList read{QStringLiteral("read"), QStringLiteral("20")};
    const std::pair<QStringList, QStringList> ways[] = {
        {QStringList{QStringLiteral("--com1"), link} + read, {}},
        {QStringList{QStringLiteral("--port"), QStringLiteral("COM2"), QStringLiteral("--com2"), link} + read, {}},
        {QStringList{QStringLiteral("--port"), QStringLiteral("com1")} + read, {QStringLiteral("DUOCLAVE_COM1=") + link}},
        {read, {QStringLiteral("DUOCLAVE_COM1=") + link}},
    };
    for (const auto& [args, environment] : ways) {
        const CliResult r = RunCli(args, environment);
        EXPECT_EQ(r.exitCode, cli::ExitSuccess) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("7\n")) << args.join(' ').toStdString();
    }

    const CliResult absent = RunCli({QStringLiteral("--port"), QStringLiteral("/nonexistent/ttyX"), QStringLiteral("list")});
    EXPECT_EQ(absent.exitCode, cli::ExitPort);
    EXPECT_EQ(absent.out, QString());
    EXPECT_EQ(absent.err, QStringLiteral("duoclave-cli: cannot open port /nonexistent/ttyX: %1\n")
                              .arg(QString::fromLatin1(core::PortFailureAdvice(platform::PortFailure::NotFound))));

    const CliResult named = RunCli({QStringLiteral("--port"), QStringLiteral("COM2"), QStringLiteral("working")},
                                   {QStringLiteral("DUOCLAVE_COM2=/nonexistent/ttyY")});
    EXPECT_EQ(named.exitCode, cli::ExitPort);
    EXPECT_TRUE(named.err.contains(QStringLiteral("COM2 (/nonexistent/ttyY, from DUOCLAVE_COM2)"))) << named.err.toStdString();

    // The port is not shared: held by another program, it is refused.
    const platform::Outcome<platform::PortHandle> held = platform::OpenPortExclusive(sim->LinkPath());
    ASSERT_TRUE(held.Ok());
    const CliResult busy = Cli(read);
    platform::ClosePort(held.value);
    EXPECT_EQ(busy.exitCode, cli::ExitPort);
    EXPECT_TRUE(busy.err.contains(QString::fromLatin1(core::PortFailureAdvice(platform::PortFailure::InUse))))
        << busy.err.toStdString();
}

TEST_F(CliEditor, WithoutAPortItTakesTheDeviceRememberedByTheWindow)
{
    Start({"--reg", "20=9"});
    // The window's settings file, as it writes it for a device chosen for "COM 1".
    QTemporaryDir config;
    ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("Duoclave")));
    QFile file(config.filePath(QStringLiteral("Duoclave/duoclave.conf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[ports]\ncom1=" + QByteArray::fromStdString(sim->LinkPath()) + "\ncom2=/nonexistent/ttyZ\n");
    file.close();
    const QStringList environment{QStringLiteral("XDG_CONFIG_HOME=") + config.path()};

    const CliResult remembered = RunCli({QStringLiteral("read"), QStringLiteral("20")}, environment);
    EXPECT_EQ(remembered.exitCode, cli::ExitSuccess) << remembered.err.toStdString();
    EXPECT_EQ(remembered.out, QStringLiteral("9\n"));
    const CliResult second = RunCli({QStringLiteral("--port"), QStringLiteral("COM2"), QStringLiteral("read"),
                                     QStringLiteral("20")}, environment);
    EXPECT_EQ(second.exitCode, cli::ExitPort);
    EXPECT_TRUE(second.err.contains(QStringLiteral("COM2 (/nonexistent/ttyZ, remembered)"))) << second.err.toStdString();
    // The environment and --com1 still come first.
    const CliResult overridden = RunCli({QStringLiteral("--com1"), QStringLiteral("/nonexistent/ttyW"), QStringLiteral("read"),
                                         QStringLiteral("20")}, environment);
    EXPECT_EQ(overridden.exitCode, cli::ExitPort);
    EXPECT_TRUE(overridden.err.contains(QStringLiteral("COM1 (/nonexistent/ttyW, set for this run)"))) << overridden.err.toStdString();
}

TEST_F(CliEditor, UsageHelpAndVersion)
{
    Start();
    const std::initializer_list<const char*> usage[] = {
        {}, {"frobnicate"}, {"list", "--verbose"}, {"read"}, {"write", "1"}, {"read", "1", "--yes"},
        {"measure", "--seconds", "0"}, {"measure", "--seconds", "ten"}, {"list", "--port"}};
    for (const auto& line : usage) {
        QStringList args;
        for (const char* a : line) args << QString::fromUtf8(a);
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, cli::ExitUsage) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, QString()) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("Try 'duoclave-cli --help'.\n"))) << r.err.toStdString();
    }
    const CliResult help = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, cli::ExitSuccess);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: duoclave-cli ")));
    EXPECT_EQ(help.err, QString());
    const CliResult version = RunCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, cli::ExitSuccess);
    EXPECT_EQ(version.out, QStringLiteral("duoclave-cli %1\n").arg(QStringLiteral(DUOCLAVE_VERSION)));
    EXPECT_EQ(SentBytes(), 0u);
}

TEST_F(CliEditor, NumbersUseThePointWhateverTheLocale)
{
    // Comma-decimal locales, compiled for the tests under LOCPATH; the C library and the toolkit
    // would both take the comma from them.
    const QStringList locales{QStringLiteral("de_DE.UTF-8"), QStringLiteral("fr_FR.UTF-8")};
    for (const QString& name : locales) {
        locale_t l = newlocale(LC_ALL_MASK, name.toLatin1().constData(), locale_t(nullptr));
        ASSERT_NE(l, locale_t(nullptr)) << name.toStdString() << " is not there (LOCPATH=" << qgetenv("LOCPATH").constData() << ")";
        EXPECT_STREQ(nl_langinfo_l(RADIXCHAR, l), ",") << name.toStdString();
        freelocale(l);
    }
    Start({"--reg", "5=3", "--reg", "19=59"});
    for (const QString& name : locales) {
        const QStringList environment{QStringLiteral("LC_ALL=") + name, QStringLiteral("LANG=") + name};
        ASSERT_TRUE(sim->Control("set 5 3"));
        const CliResult read = Cli({QStringLiteral("read"), QStringLiteral("5")}, environment);
        EXPECT_EQ(read.out, QStringLiteral("1.5\n")) << name.toStdString();
        const CliResult json = Cli({QStringLiteral("read"), QStringLiteral("19"), QStringLiteral("--json")}, environment);
        EXPECT_TRUE(json.out.contains(QStringLiteral("\"value\":\"1.96666666666667\""))) << json.out.toStdString();
        const CliResult point = Cli({QStringLiteral("write"), QStringLiteral("5"), QStringLiteral("2.5")}, environment);
        EXPECT_EQ(point.exitCode, cli::ExitSuccess) << name.toStdString() << ": " << point.err.toStdString();
        EXPECT_EQ(E2prom(5), 5);
        const CliResult comma = Cli({QStringLiteral("write"), QStringLiteral("5"), QStringLiteral("3,5")}, environment);
        EXPECT_EQ(comma.exitCode, cli::ExitBadInput) << name.toStdString();
        EXPECT_EQ(E2prom(5), 5);
    }
}

} // namespace
