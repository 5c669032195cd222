#include "cli/usage.h"

#include "cli/help_layout.h"
#include "cli/output_check.h"
#include "words/file_names.h"
#include "words/program_info.h"
#include "words/program_version.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace cli {

namespace {

constexpr std::string_view Program = "tq305";
constexpr std::string_view HelpTerm = "-h, --help";

std::string synopsis(const CommandUsage& command) {
    std::string line = std::string(Program) + ' ' + std::string(command.name);
    for (const UsageItem& item : command.items)
        if (!item.synopsis.empty())
            line += ' ' + std::string(item.synopsis);
    return line;
}

// The lines after the first stand under the first's program name.
std::string usageBlock(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += (out.empty() ? "usage: " : "       ") + line + '\n';
    return out;
}

std::vector<std::string> allSynopses() {
    std::vector<std::string> lines;
    for (const CommandUsage& command : commandUsages())
        lines.push_back(synopsis(command));
    lines.push_back(std::string(Program) + " COMMAND --help");
    lines.push_back(std::string(Program) + " --version");
    return lines;
}

bool isHelp(std::string_view argument) {
    return argument == "-h" || argument == "--help";
}

int answer(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return finishOutput(0);
}

} // namespace

const CommandUsage* findCommandUsage(std::string_view name) {
    const auto commands = commandUsages();
    const auto found = std::ranges::find(commands, name, &CommandUsage::name);
    return found == commands.end() ? nullptr : &*found;
}

std::string usageLines(std::initializer_list<std::string_view> names) {
    std::vector<std::string> lines;
    for (std::string_view name : names)
        if (const CommandUsage* command = findCommandUsage(name))
            lines.push_back(synopsis(*command));
    return usageBlock(lines);
}

std::string programUsage() {
    return usageBlock(allSynopses());
}

std::string commandHelp(const CommandUsage& command) {
    std::string out =
        usageBlock({synopsis(command)}) + '\n' + wrappedText(command.description) + "\nOptions:\n";
    for (const UsageItem& item : command.items)
        out += helpItem(item.term, item.text);
    return out + helpItem(HelpTerm, "this text");
}

std::string programHelp() {
    std::string out = programUsage() + '\n' + wrappedText(ProgramDescription) + "\nCommands:\n";
    for (const CommandUsage& command : commandUsages())
        out += helpItem(command.name, command.summary);
    out += "\nOptions:\n";
    out += helpItem(HelpTerm, "this text; after a command, that command's help");
    out += helpItem("--version", "the program's version and licence");
    for (const HelpSection& section : closingSections()) {
        out += '\n' + std::string(section.heading) + ":\n";
        for (const UsageItem& item : section.items)
            out += helpItem(item.term, item.text);
        if (!section.paragraph.empty())
            out += std::string(section.paragraph) + '\n';
    }
    return out;
}

std::string versionLine() {
    return std::string(Program) + " (TQ-305 CloneDesk) " + ui::ProgramVersion + '\n' +
           TQ_LICENCE_NOTICE;
}

std::optional<int> answerHelpRequest(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        std::fputs(programUsage().c_str(), stderr);
        return 2;
    }
    const std::string_view first = arguments.front();
    if (isHelp(first))
        return answer(programHelp());
    if (first == "--version")
        return answer(versionLine());
    const CommandUsage* command = findCommandUsage(first);
    if (!command) {
        std::fprintf(stderr, "tq305: unknown command '%s'\n%s", ui::printableBytes(first).c_str(),
                     programUsage().c_str());
        return 2;
    }
    if (std::ranges::any_of(arguments.begin() + 1, arguments.end(), isHelp))
        return answer(commandHelp(*command));
    return std::nullopt;
}

} // namespace cli
