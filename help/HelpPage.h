#pragma once
// A program's command-line help kept as data, so that --help and the manual page are printed
// from one text and cannot tell different stories.

#include <string>
#include <vector>

namespace help {

// One item of a list: an option with its argument, a command, an exit code, a variable, a file.
struct Entry {
    std::string term;          // "--link PATH", "-h, --help", "0", "DUOCLAVE_COM1", "/dev/ttyS0"
    std::string text;          // one paragraph, unwrapped
    std::vector<Entry> items = {}; // a list below the text (the names an option takes), may be empty
    std::string after = {};    // a paragraph below that list, may be empty
};

struct Section {
    std::string title;         // "Options", "Exit status"; the manual's heading is it in capitals
    std::vector<Entry> entries;
};

struct Page {
    std::string program;                   // "duoclave-sim"
    std::string summary;                   // the manual's NAME line after the dash
    std::vector<std::string> usage;        // what follows the program's name, one way per line
    std::vector<std::string> description;  // paragraphs, unwrapped
    std::vector<Section> sections;
    std::vector<std::string> seeAlso;      // "duoclave-sim(1)"
};

// The --help text: the usage with `invokedAs` as the program's name, the description and every
// section, wrapped to fit 80 columns.
std::string HelpText(const Page& page, const std::string& invokedAs);

// The page as a section-1 manual page in man(7) roff. `date` is "YYYY-MM-DD", `source` names
// the package and its version ("Duoclave 0.21").
std::string ManualPage(const Page& page, const std::string& date, const std::string& source);

// The date a manual page carries: that of SOURCE_DATE_EPOCH when it is set, so that a rebuild
// gives the same page, else today's (UTC).
std::string ManualDate();

} // namespace help
