#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

using app::CommandLine;
using app::ParseCommandLine;

namespace {

TEST(CommandLine, PortPathsInBothForms)
{
    const CommandLine c = ParseCommandLine({"--com1", "/tmp/a", "--com2=/tmp/b"});
    EXPECT_EQ(c.action, CommandLine::Action::Run);
    EXPECT_EQ(c.com1, QStringLiteral("/tmp/a"));
    EXPECT_EQ(c.com2, QStringLiteral("/tmp/b"));
    EXPECT_EQ(ParseCommandLine({}).action, CommandLine::Action::Run);
    EXPECT_TRUE(ParseCommandLine({}).com1.isEmpty());
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse)
{
    EXPECT_EQ(ParseCommandLine({"--com1", "/x", "--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--bogus", "--version"}).action, CommandLine::Action::Version);
    EXPECT_TRUE(app::VersionText().startsWith(QStringLiteral("Duoclave V 0.21")));
    EXPECT_TRUE(app::UsageText(QStringLiteral("duoclave")).contains(QStringLiteral("--com2 PATH")));
}

TEST(CommandLine, EveryDocumentedOptionIsUnderstood)
{
    const help::Section& options = app::HelpPage().sections.at(0);
    ASSERT_EQ(options.title, "Options");
    for (const help::Entry& e : options.entries) {
        // "-h, --help" names two spellings; a word in capitals is a value to give.
        std::istringstream spellings(e.term);
        for (std::string spelling; std::getline(spellings, spelling, ',');) {
            QStringList args;
            std::istringstream words(spelling);
            for (std::string w; words >> w;)
                args << (w == "PATH" ? QStringLiteral("/dev/null") : QString::fromStdString(w));
            EXPECT_NE(ParseCommandLine(args).action, CommandLine::Action::Error) << spelling;
        }
    }
    EXPECT_EQ(ParseCommandLine({"--help-man"}).action, CommandLine::Action::Manual);
}

TEST(CommandLine, MistakesAreErrors)
{
    for (const QStringList& args : {QStringList{"--com1"}, QStringList{"--com2="}, QStringList{"--com3", "/x"},
                                    QStringList{"/dev/ttyS0"}, QStringList{"--com1", "/a", "extra"}}) {
        const CommandLine c = ParseCommandLine(args);
        EXPECT_EQ(c.action, CommandLine::Action::Error) << args.join(' ').toStdString();
        EXPECT_FALSE(c.error.isEmpty());
    }
}

} // namespace
