#include "help/HelpPage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using help::Entry;
using help::Page;

namespace {

Page SmallPage()
{
    return Page{
        .program = "tool-x",
        .summary = "do one thing",
        .usage = {"[--fast] FILE", "--list"},
        .description = {"Does the thing."},
        .sections = {
            {"Options",
             {
                 {"--fast", "hurry"},
                 {"--a-very-long-option-name N", "text below the term"},
                 {"--mode NAME", "one of:", {{"on", "on"}, {"off-ish", "nearly off"}}, "Default on."},
             }},
            {"Exit status", {{"0", "fine"}, {"64", "usage"}}},
        },
        .seeAlso = {"one(1)", "two(5)"},
    };
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The page as man shows it to a reader, with groff's warnings.
struct Rendered {
    std::string text;
    std::string warnings;
};

Rendered RenderWithMan(const std::string& roff)
{
    QTemporaryDir dir;
    const std::string page = dir.filePath("page.1").toStdString();
    const std::string errors = dir.filePath("errors").toStdString();
    std::ofstream(page) << roff;
    const std::string command = "MANWIDTH=80 MANPAGER=cat man --warnings -l '" + page + "' 2>'" + errors + "'";
    Rendered r;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
            r.text.append(chunk, n);
        pclose(pipe);
    }
    std::ifstream in(errors);
    r.warnings.assign(std::istreambuf_iterator<char>(in), {});
    // Justified lines stretch the spaces between words.
    std::istringstream words(r.text);
    std::string word, text;
    while (words >> word)
        text += (text.empty() ? "" : " ") + word;
    r.text = text;
    return r;
}

} // namespace

TEST(HelpText, LaysOutUsageSectionsAndNestedLists)
{
    EXPECT_EQ(help::HelpText(SmallPage(), "tx"),
              "Usage: tx [--fast] FILE\n"
              "  or:  tx --list\n"
              "\n"
              "Does the thing.\n"
              "\n"
              "Options:\n"
              "  --fast        hurry\n"
              "  --a-very-long-option-name N\n"
              "                text below the term\n"
              "  --mode NAME   one of:\n"
              "                  on        on\n"
              "                  off-ish   nearly off\n"
              "                Default on.\n"
              "\n"
              "Exit status:\n"
              "  0    fine\n"
              "  64   usage\n");
}

TEST(HelpText, WrapsLongTextUnderItsColumn)
{
    Page page = SmallPage();
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "word" + std::to_string(i) + ' ';
    page.description = {longText};
    page.sections[0].entries[0].text = longText;
    const std::vector<std::string> lines = Lines(help::HelpText(page, "tx"));
    bool continued = false;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 79u) << line;
        if (line.rfind("                word", 0) == 0)
            continued = true;
    }
    EXPECT_TRUE(continued) << "the option's text goes on under its column";
    page.usage = {"[--port PATH] measure [--seconds N] [--out FILE.dat] [--picture FILE.wmf] [--format NAME]"};
    const std::vector<std::string> usage = Lines(help::HelpText(page, "some-long-program-name"));
    ASSERT_GE(usage.size(), 3u);
    EXPECT_EQ(usage[0], "Usage: some-long-program-name [--port PATH] measure [--seconds N]");
    EXPECT_EQ(usage[1], "                              [--out FILE.dat] [--picture FILE.wmf]");
    EXPECT_EQ(usage[2], "                              [--format NAME]");
    EXPECT_EQ(lines[3].rfind("word0 word1", 0), 0u);
}

TEST(ManualPage, HasTheSectionsOfAManualPage)
{
    const std::string roff = help::ManualPage(SmallPage(), "2026-01-02", "Tool 1.0");
    const std::vector<std::string> lines = Lines(roff);
    EXPECT_EQ(lines[0], ".TH TOOL-X 1 \"2026-01-02\" \"Tool 1.0\" \"User Commands\"");
    EXPECT_EQ(lines[1], ".SH NAME");
    EXPECT_EQ(lines[2], "tool-x \\- do one thing");
    for (const char* heading : {".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS", ".SH EXIT STATUS", ".SH SEE ALSO"})
        EXPECT_NE(roff.find(std::string("\n") + heading + "\n"), std::string::npos) << heading;
    EXPECT_NE(roff.find(".RS\n.TP\n\\%\\fBon\\fR\non\n"), std::string::npos) << roff;
    EXPECT_NE(roff.find(".RE\n.IP\nDefault on.\n"), std::string::npos) << roff;
    EXPECT_NE(roff.find(".BR one (1),\n.BR two (5)\n"), std::string::npos) << roff;
}

TEST(ManualPage, OptionsAreTypableAndTextIsNeverTakenForRoff)
{
    Page page = SmallPage();
    page.description = {R"(. starts like a request; \\.\COM1 keeps its backslashes; see --fast-mode, a well-known -16 offset)",
                        "'quoted at the start; tool-x and one-shot (-1.5)"};
    const std::string roff = help::ManualPage(page, "2026-01-02", "Tool 1.0");
    EXPECT_NE(roff.find("\n\\&. starts like a request; \\e\\e.\\eCOM1 keeps"), std::string::npos) << roff;
    EXPECT_NE(roff.find("\\%\\fB\\-\\-fast\\-mode\\fR, a well-known \\-16 offset"), std::string::npos) << roff;
    // The program's name and the negative number are typed as they stand; "one-shot" is a word.
    EXPECT_NE(roff.find("\n\\&'quoted at the start; \\%tool\\-x and one-shot (\\-1.5)\n"), std::string::npos) << roff;
    EXPECT_NE(roff.find("\\%\\fB\\-\\-mode\\fR \\%\\fINAME\\fR\n"), std::string::npos) << roff;

    const Rendered shown = RenderWithMan(roff);
    EXPECT_EQ(shown.warnings, "");
    for (const char* text : {". starts like a request", R"(\\.\COM1 keeps its backslashes)", "--fast-mode",
                             "'quoted at the start", "--a-very-long-option-name N", "off-ish", "Default on."})
        EXPECT_NE(shown.text.find(text), std::string::npos) << text << "\n" << shown.text;
}

TEST(ManualPage, DateFollowsSourceDateEpoch)
{
    ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "1700000000", 1), 0);
    EXPECT_EQ(help::ManualDate(), "2023-11-14");
    ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "0", 1), 0);
    EXPECT_EQ(help::ManualDate(), "1970-01-01");
    ASSERT_EQ(unsetenv("SOURCE_DATE_EPOCH"), 0);
    EXPECT_EQ(help::ManualDate().size(), 10u);
}
