// duoclave-cli's command line, its row names and its help page, without a device.

#include "cli/Arguments.h"
#include "cli/ExitCodes.h"
#include "cli/HelpText.h"
#include "cli/RowLookup.h"

#include <gtest/gtest.h>

using cli::Invocation;

namespace {

QStringList Args(std::initializer_list<const char*> list)
{
    QStringList args;
    for (const char* a : list) args << QString::fromUtf8(a);
    return args;
}

struct GoodLine {
    std::initializer_list<const char*> args;
    const char* command;
    std::initializer_list<const char*> operands;
    std::initializer_list<std::pair<const char*, const char*>> options;
};

TEST(Arguments, OptionsGoAnywhereAndNegativeValuesAreOperands)
{
    const GoodLine lines[] = {
        {{"list"}, "list", {}, {}},
        {{"--port", "/dev/ttyUSB0", "list", "--json"}, "list", {}, {{"--port", "/dev/ttyUSB0"}, {"--json", ""}}},
        {{"read", "--port=COM2", "power"}, "read", {"power"}, {{"--port", "COM2"}}},
        {{"write", "5", "-1.5"}, "write", {"5", "-1.5"}, {}},
        {{"write", "5", "-.5", "--yes"}, "write", {"5", "-.5"}, {{"--yes", ""}}},
        {{"write", "--", "5", "--yes"}, "write", {"5", "--yes"}, {}},
        {{"--com1", "/tmp/a", "--com2=/tmp/b", "working"}, "working", {}, {{"--com1", "/tmp/a"}, {"--com2", "/tmp/b"}}},
        {{"measure", "--seconds", "10", "--out", "x.dat", "--picture", "x.wmf"}, "measure", {},
         {{"--seconds", "10"}, {"--out", "x.dat"}, {"--picture", "x.wmf"}}},
    };
    for (const GoodLine& line : lines) {
        Invocation invocation;
        QString error;
        const QStringList args = Args(line.args);
        ASSERT_TRUE(cli::ParseArguments(args, invocation, error)) << args.join(' ').toStdString() << ": " << error.toStdString();
        EXPECT_EQ(invocation.action, Invocation::Action::Run);
        EXPECT_EQ(invocation.command, QString::fromLatin1(line.command));
        EXPECT_EQ(invocation.operands, Args(line.operands)) << args.join(' ').toStdString();
        EXPECT_EQ(invocation.options.size(), qsizetype(line.options.size())) << args.join(' ').toStdString();
        for (auto [name, value] : line.options)
            EXPECT_EQ(invocation.options.value(QString::fromLatin1(name), QStringLiteral("<absent>")), QString::fromLatin1(value));
    }
}

TEST(Arguments, UsageErrorsAreRefusedWithAReason)
{
    const std::initializer_list<const char*> lines[] = {
        {},                                  // no command
        {"frobnicate"},                      // unknown command
        {"list", "--verbose"},               // unknown option
        {"-x", "list"},
        {"read"},                            // ROW missing
        {"read", "1", "2"},                  // one operand too many
        {"write", "1"},                      // VALUE missing
        {"working", "now"},
        {"read", "1", "--yes"},              // an option of another command
        {"list", "--seconds", "3"},
        {"list", "--port"},                  // a value missing
        {"list", "--port="},
        {"list", "--json=yes"},              // a flag with a value
    };
    for (const auto& line : lines) {
        Invocation invocation;
        QString error;
        const QStringList args = Args(line);
        EXPECT_FALSE(cli::ParseArguments(args, invocation, error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty()) << args.join(' ').toStdString();
    }
}

TEST(Arguments, HelpAndVersionWinOverEverythingElse)
{
    struct Line {
        std::initializer_list<const char*> args;
        Invocation::Action action;
    };
    const Line lines[] = {
        {{"--help"}, Invocation::Action::Help},
        {{"frobnicate", "--bad", "-h"}, Invocation::Action::Help},
        {{"read", "--version"}, Invocation::Action::Version},
    };
    for (const Line& line : lines) {
        Invocation invocation;
        QString error;
        ASSERT_TRUE(cli::ParseArguments(Args(line.args), invocation, error));
        EXPECT_EQ(invocation.action, line.action);
    }
    Invocation invocation;
    QString error;
    ASSERT_TRUE(cli::ParseArguments(Args({"write", "1", "--", "--help"}), invocation, error));
    EXPECT_EQ(invocation.action, Invocation::Action::Run);
}

TEST(RowLookup, NumbersAndUniqueBeginningsOfNamesInAnyCase)
{
    const std::pair<const char*, int> rows[] = {
        {"1", 0}, {"20", 19}, {" 7 ", 6}, {"oscillator page", 0}, {"OSCILLATOR A", 1}, {"power-off", 18},
        {"Power-on delay (us): still", 6}, {"tele", 17}, {"number", 19}, {"proprotional", 15}, {"Integral Factor", 16},
    };
    for (const auto& [text, index] : rows) {
        const cli::RowMatch match = cli::FindRow(QString::fromUtf8(text));
        EXPECT_EQ(match.index, index) << text << ": " << match.error.toStdString();
    }
}

TEST(RowLookup, UnknownAndAmbiguousNamesSayWhy)
{
    const std::pair<const char*, const char*> rows[] = {
        {"0", "no row 0"}, {"21", "no row 21"}, {"", "no row named"}, {"zoom", "no row named \"zoom\""},
        {"oscillator", "fits more than one row: 1 \"Oscillator Page\", 2 \"Oscillator Address\", 3 \"Oscillator Data\""},
        {"command1", "8 \"Command1: camcorder\", 12 \"Command1: still camera\""},
    };
    for (const auto& [text, why] : rows) {
        const cli::RowMatch match = cli::FindRow(QString::fromUtf8(text));
        EXPECT_EQ(match.index, -1) << text;
        EXPECT_TRUE(match.error.contains(QString::fromUtf8(why))) << text << ": " << match.error.toStdString();
    }
}

TEST(HelpText, DocumentsEveryCommandOptionExitCodeAndVariable)
{
    const QString help = cli::HelpText();
    const cli::HelpPage& page = cli::CliHelp();
    for (const cli::CommandHelp& command : page.commands) {
        EXPECT_TRUE(help.contains(QStringLiteral("  %1").arg(QString::fromLatin1(command.name)))) << command.name;
        for (const cli::OptionHelp& option : command.options)
            EXPECT_TRUE(help.contains(QString::fromLatin1(option.name))) << option.name;
    }
    for (const cli::OptionHelp& option : page.globalOptions)
        EXPECT_TRUE(help.contains(QString::fromLatin1(option.name))) << option.name;
    for (const cli::EnvironmentHelp& variable : page.environment)
        EXPECT_TRUE(help.contains(QString::fromLatin1(variable.name))) << variable.name;
    EXPECT_FALSE(page.files.empty());
    for (const cli::FileHelp& file : page.files)
        EXPECT_TRUE(help.contains(QString::fromLatin1(file.path))) << file.path;
    QList<int> codes;
    for (const cli::ExitCodeHelp& exit : page.exitCodes) codes << exit.code;
    EXPECT_EQ(codes, (QList<int>{cli::ExitSuccess, cli::ExitBadInput, cli::ExitDevice, cli::ExitPort, cli::ExitUsage}));
    for (const QString& line : help.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 79) << line.toStdString();
}

} // namespace
