// The command line of tq305 as data: each command's synopsis, description
// and options, written once (usage_table.cpp). --help, the usage shown for
// a wrong command line, the manual page and the shell completion are all
// made from it.
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

// One operand or option of a command.
struct UsageItem {
    // How the synopsis shows it ("[--json]", "(--port N | --device PATH)");
    // empty when the item before already shows it.
    std::string_view synopsis;
    // As the option list names it, with its value ("--lang zh|en", "-o
    // OUT.csv"): the completion offers files ending in .csv after -o.
    std::string_view term;
    std::string_view text;
};

struct CommandUsage {
    std::string_view name;
    std::string_view summary; // one line, for the list of commands
    // Paragraphs separated by a blank line; wrapped when shown.
    std::string_view description;
    std::span<const UsageItem> items;
};

// Every command, in the order the help lists them.
std::span<const CommandUsage> commandUsages();

// A section that ends `tq305 --help` (and the manual page): a table of
// items, or a paragraph.
struct HelpSection {
    std::string_view heading;
    std::span<const UsageItem> items;
    std::string_view paragraph;
};
// Exit status, environment, files, see also.
std::span<const HelpSection> closingSections();
// The program's description, for `tq305 --help`.
extern const std::string_view ProgramDescription;

const CommandUsage* findCommandUsage(std::string_view name);

// "usage: tq305 read ...\n       tq305 write ...\n" for the named commands.
std::string usageLines(std::initializer_list<std::string_view> names);
// The usage of every command, for a command line without a known command.
std::string programUsage();
std::string commandHelp(const CommandUsage& command);
std::string programHelp();
std::string versionLine();

// What `tq305 ARGS` asks for when it asks for help or the version: answered
// on the standard output (exit 0), or the program's usage on the standard
// error for a missing or unknown command (exit 2). None for a command line
// the command itself runs.
std::optional<int> answerHelpRequest(int argc, char** argv);

} // namespace cli
