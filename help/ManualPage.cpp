#include "help/HelpPage.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <sstream>

namespace help {

namespace {

bool IsOptionWord(const std::string& word)
{
    return word.size() > 1 && word[0] == '-' && (word[1] == '-' || std::isalpha(static_cast<unsigned char>(word[1])));
}

// A word in capitals stands for something the user fills in (PATH, N=V, MS).
bool IsPlaceholder(const std::string& word)
{
    bool capital = false;
    for (char c : word) {
        if (std::islower(static_cast<unsigned char>(c)))
            return false;
        capital = capital || std::isupper(static_cast<unsigned char>(c));
    }
    return capital;
}

// In roff a backslash starts an escape, and "-" is a hyphen that man may print as U+2010: the
// dashes of options and of negative numbers are minus signs, so that what the page shows can be
// typed or pasted.
std::string Escaped(const std::string& text, bool minusSigns)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-' && minusSigns)
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// "\\%" keeps roff from hyphenating a name that the user has to type as it stands.
std::string Bold(const std::string& text) { return "\\%\\fB" + Escaped(text, true) + "\\fR"; }
std::string Italic(const std::string& text) { return "\\%\\fI" + Escaped(text, false) + "\\fR"; }

struct WordParts {
    std::string lead, core, trail;
};

WordParts Split(const std::string& word)
{
    const std::size_t begin = word.find_first_not_of("([\"");
    if (begin == std::string::npos)
        return {word, "", ""};
    const std::size_t end = word.find_last_not_of(")]\",.;:|") + 1;
    if (end <= begin)
        return {word, "", ""};
    return {word.substr(0, begin), word.substr(begin, end - begin), word.substr(end)};
}

// Running text: options in bold; program names, negative numbers and paths as typed.
std::string ProseWord(const std::string& word, const std::vector<std::string>& programs)
{
    const WordParts p = Split(word);
    if (IsOptionWord(p.core))
        return Escaped(p.lead, false) + Bold(p.core) + Escaped(p.trail, false);
    const bool negativeNumber = p.core.size() > 1 && p.core[0] == '-' && std::isdigit(static_cast<unsigned char>(p.core[1]));
    const bool program = std::find(programs.begin(), programs.end(), p.core) != programs.end();
    const bool path = word.find('/') != std::string::npos;
    return (path || program ? "\\%" : "") + Escaped(word, negativeNumber || program);
}

// A line of text must not start with a control character ('.' or '\'').
std::string TextLine(const std::string& line)
{
    if (!line.empty() && (line[0] == '.' || line[0] == '\''))
        return "\\&" + line;
    return line;
}

std::string Prose(const std::string& text, const std::vector<std::string>& programs)
{
    std::istringstream words(text);
    std::string word, out;
    while (words >> word) {
        if (!out.empty())
            out += ' ';
        out += ProseWord(word, programs);
    }
    return TextLine(out) + '\n';
}

// The tag of a list entry: its first word and every option in bold (what is typed as it
// stands), placeholders in italics.
std::string Term(const std::string& term)
{
    std::istringstream words(term);
    std::string word, out;
    bool first = true;
    while (words >> word) {
        if (!out.empty())
            out += ' ';
        const WordParts p = Split(word);
        if (p.core.empty())
            out += Escaped(word, false);
        else if (IsOptionWord(p.core) || first)
            out += Escaped(p.lead, false) + Bold(p.core) + Escaped(p.trail, false);
        else if (IsPlaceholder(p.core))
            out += Escaped(p.lead, false) + Italic(p.core) + Escaped(p.trail, false);
        else
            out += Escaped(word, false);
        first = false;
    }
    return TextLine(out) + '\n';
}

// A synopsis line: options and literal words in bold, placeholders and "[options]" in italics.
std::string Synopsis(const std::string& usage)
{
    std::istringstream words(usage);
    std::string word, out;
    while (words >> word) {
        if (!out.empty())
            out += ' ';
        const WordParts p = Split(word);
        if (p.core.empty() || p.core == "...")
            out += Escaped(word, false);
        else if (IsPlaceholder(p.core) || p.lead == "[")
            out += Escaped(p.lead, false) + Italic(p.core) + Escaped(p.trail, false);
        else
            out += Escaped(p.lead, false) + Bold(p.core) + Escaped(p.trail, false);
    }
    return TextLine(out) + '\n';
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Quoted(const std::string& argument) { return '"' + argument + '"'; }

void AppendList(std::string& out, const std::vector<Entry>& entries, const std::vector<std::string>& programs)
{
    for (const Entry& e : entries) {
        out += ".TP\n" + Term(e.term);
        if (!e.text.empty())
            out += Prose(e.text, programs);
        if (!e.items.empty()) {
            out += ".RS\n";
            AppendList(out, e.items, programs);
            out += ".RE\n";
        }
        if (!e.after.empty())
            out += ".IP\n" + Prose(e.after, programs);
    }
}

} // namespace

std::string ManualPage(const Page& page, const std::string& date, const std::string& source)
{
    // The names of this program and of those it refers to, which the text may mention.
    std::vector<std::string> programs{page.program};
    for (const std::string& ref : page.seeAlso)
        programs.push_back(ref.substr(0, ref.find('(')));

    std::string out = ".TH " + Upper(page.program) + " 1 " + Quoted(date) + ' ' + Quoted(source)
        + " \"User Commands\"\n";
    out += ".SH NAME\n" + TextLine(page.program + " \\- " + Escaped(page.summary, false)) + '\n';
    out += ".SH SYNOPSIS\n";
    for (std::size_t i = 0; i < page.usage.size(); ++i) {
        if (i > 0)
            out += ".br\n";
        out += ".B " + page.program + '\n' + Synopsis(page.usage[i]);
    }
    out += ".SH DESCRIPTION\n";
    for (std::size_t i = 0; i < page.description.size(); ++i) {
        if (i > 0)
            out += ".PP\n";
        out += Prose(page.description[i], programs);
    }
    for (const Section& section : page.sections) {
        out += ".SH " + Upper(section.title) + '\n';
        AppendList(out, section.entries, programs);
    }
    if (!page.seeAlso.empty()) {
        out += ".SH SEE ALSO\n";
        for (std::size_t i = 0; i < page.seeAlso.size(); ++i) {
            const std::string& ref = page.seeAlso[i];
            const std::size_t paren = ref.find('(');
            const std::string comma = i + 1 < page.seeAlso.size() ? "," : "";
            out += ".BR " + ref.substr(0, paren) + ' ' + ref.substr(paren) + comma + '\n';
        }
    }
    return out;
}

std::string ManualDate()
{
    std::time_t when = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        long long seconds = 0;
        const char* end = epoch + std::char_traits<char>::length(epoch);
        if (auto [at, error] = std::from_chars(epoch, end, seconds); error == std::errc() && at == end)
            when = static_cast<std::time_t>(seconds);
    }
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}

} // namespace help
