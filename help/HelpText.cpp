#include "help/HelpPage.h"

#include <algorithm>
#include <sstream>

namespace help {

namespace {

constexpr std::size_t LineLimit = 79;      // so that an 80-column terminal never wraps a line
constexpr std::size_t TermGap = 3;
constexpr std::size_t NestedIndent = 2;
constexpr std::size_t LongestBesideTerm = 24; // a longer term puts its text on the next line

// The words of a text; with `keepBrackets`, "[--out FILE]" stays one word, so that a usage line
// never breaks inside an optional part.
std::vector<std::string> Words(const std::string& text, bool keepBrackets)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    int depth = 0;
    for (std::string word; in >> word;) {
        if (keepBrackets && depth > 0)
            words.back() += ' ' + word;
        else
            words.push_back(word);
        if (keepBrackets)
            depth += static_cast<int>(std::count(word.begin(), word.end(), '['))
                - static_cast<int>(std::count(word.begin(), word.end(), ']'));
    }
    return words;
}

// Appends `text` to the last line of `out`, which already holds `column` characters; lines
// that would grow past the limit go on at `indent`.
void AppendWrapped(std::string& out, const std::string& text, std::size_t column, std::size_t indent,
                   bool keepBrackets = false)
{
    bool lineEmpty = true;
    for (const std::string& word : Words(text, keepBrackets)) {
        if (!lineEmpty && column + 1 + word.size() > LineLimit) {
            out += '\n';
            out.append(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineEmpty = false;
    }
    out += '\n';
}

void AppendList(std::string& out, const std::vector<Entry>& entries, std::size_t indent)
{
    std::size_t widest = 0;
    for (const Entry& e : entries)
        if (e.term.size() <= LongestBesideTerm)
            widest = std::max(widest, e.term.size());
    const std::size_t column = indent + widest + TermGap;
    for (const Entry& e : entries) {
        out.append(indent, ' ');
        out += e.term;
        const std::size_t at = indent + e.term.size();
        if (e.text.empty()) {
            out += '\n';
        } else {
            if (at + TermGap > column) {
                out += '\n';
                out.append(column, ' ');
            } else {
                out.append(column - at, ' ');
            }
            AppendWrapped(out, e.text, column, column);
        }
        if (!e.items.empty())
            AppendList(out, e.items, column + NestedIndent);
        if (!e.after.empty()) {
            out.append(column, ' ');
            AppendWrapped(out, e.after, column, column);
        }
    }
}

} // namespace

std::string HelpText(const Page& page, const std::string& invokedAs)
{
    std::string out;
    for (std::size_t i = 0; i < page.usage.size(); ++i) {
        const std::string lead = (i == 0 ? "Usage: " : "  or:  ") + invokedAs + ' ';
        out += lead;
        AppendWrapped(out, page.usage[i], lead.size(), lead.size(), true);
    }
    for (const std::string& paragraph : page.description) {
        out += '\n';
        AppendWrapped(out, paragraph, 0, 0);
    }
    for (const Section& section : page.sections) {
        out += '\n';
        out += section.title + ":\n";
        AppendList(out, section.entries, NestedIndent);
    }
    return out;
}

} // namespace help
