#include "completion_words.h"

#include <algorithm>

namespace helppages {

std::string shellQuoted(std::string_view text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

namespace {

struct CommandWords {
    std::string options;
    std::string operand;
    std::vector<std::pair<std::string, std::string>> values; // option, value
};

CommandWords wordsOf(const HelpText& help, const CompletionSource& source, bool hasCommands) {
    CommandWords words;
    std::vector<std::string> seen; // an option the help tells of twice
    for (const HelpBlock& block : help.blocks)
        for (const HelpItem& item : block.items)
            for (const TermName& name : termNames(item.term)) {
                if (!name.name.starts_with('-')) {
                    if (!hasCommands && words.operand.empty())
                        words.operand = name.name;
                    continue;
                }
                if (std::ranges::find(seen, name.name) != seen.end())
                    continue;
                seen.push_back(name.name);
                words.options += (words.options.empty() ? "" : " ") + name.name;
                if (name.value.empty())
                    continue;
                const bool port =
                    std::ranges::find(source.portOptions, name.name) != source.portOptions.end();
                words.values.emplace_back(name.name, port ? "@ports" : name.value);
            }
    return words;
}

} // namespace

std::string completionWords(const CompletionSource& source) {
    const std::string& f = source.function;
    std::vector<std::pair<std::string, CommandWords>> all;
    all.emplace_back("_", wordsOf(source.help, source, !source.commands.empty()));
    std::string commands;
    for (const auto& [name, help] : source.commands) {
        commands += (commands.empty() ? "" : " ") + name;
        all.emplace_back(name, wordsOf(help, source, false));
    }
    std::string ports;
    for (int port = 1; port <= source.portCount; ++port)
        ports += (ports.empty() ? "" : " ") + std::to_string(port);

    std::string out =
        f + "_commands=" + shellQuoted(commands) + '\n' + f + "_ports=" + shellQuoted(ports) + '\n';
    out += "declare -gA " + f + "_options=(\n";
    for (const auto& [name, words] : all)
        out += "    [" + shellQuoted(name) + "]=" + shellQuoted(words.options) + '\n';
    out += ")\ndeclare -gA " + f + "_values=(\n";
    for (const auto& [name, words] : all)
        for (const auto& [option, value] : words.values)
            out += "    [" + shellQuoted(name + ' ' + option) + "]=" + shellQuoted(value) + '\n';
    out += ")\ndeclare -gA " + f + "_operands=(\n";
    for (const auto& [name, words] : all)
        if (!words.operand.empty())
            out += "    [" + shellQuoted(name) + "]=" + shellQuoted(words.operand) + '\n';
    return out + ")\n";
}

} // namespace helppages
