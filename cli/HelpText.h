#pragma once
// Everything duoclave-cli's --help says, as data: the commands with their operands and options,
// the options that go with every command, the exit codes and the environment. The argument
// parser takes its options from here too, so an option cannot exist undocumented; other tools
// The page is rendered through help/ like every program's, so --help and the manual page
// (--help-man) tell the same story.

#include "help/HelpPage.h"

#include <QString>
#include <vector>

namespace cli {

struct OptionHelp {
    const char* name;       // "--port"
    const char* argument;   // "PATH|COM1|COM2"; nullptr for a flag
    const char* text;
};

struct CommandHelp {
    const char* name;       // "read"
    const char* operands;   // "ROW"; "" for none
    const char* text;
    std::vector<OptionHelp> options;
};

struct ExitCodeHelp {
    int code;
    const char* text;
};

struct EnvironmentHelp {
    const char* name;
    const char* text;
};

struct FileHelp {
    const char* path;
    const char* text;
};

struct HelpPage {
    const char* program;
    const char* summary;                   // one line
    std::vector<const char*> description;  // paragraphs
    std::vector<OptionHelp> globalOptions;
    std::vector<CommandHelp> commands;
    std::vector<ExitCodeHelp> exitCodes;
    std::vector<EnvironmentHelp> environment;
    std::vector<FileHelp> files;
    std::vector<const char*> examples;
};

const HelpPage& CliHelp();

// The command of that name, or nullptr.
const CommandHelp* FindCommand(const QString& name);

// The tables as the shared help page: a usage line per command, the commands with their
// options, the options of every command, exit status, environment, examples.
help::Page HelpPageOf(const HelpPage& page);

// The page as --help prints it, without the last line end.
QString HelpText();
// The manual page in man(7) roff, as --help-man prints it.
QString ManualText();
// "duoclave-cli 0.21", as --version prints it (without line end).
QString VersionText();

} // namespace cli
