// tq305-help-pages: makes a program's manual page and its bash completion
// from what the program prints for --help (and, for a program with commands,
// for COMMAND --help), so neither can tell another story than the program.
//
//   tq305-help-pages PROGRAM NAME SUMMARY SOURCE DATE MAN_OUT TEMPLATE
//                    COMPLETION_OUT [PORT_OPTION...]
//
// TEMPLATE holds the completion's code with @WORDS@ where the word lists go;
// "-" for both when the program gets no completion.
#include "completion_words.h"
#include "man_page.h"
#include "platform/port_names.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace {

using namespace helppages;

// What `program arguments --help` prints; a failing program fails the build.
HelpText helpOf(const std::string& program, const std::string& command) {
    std::string line = shellQuoted(program);
    if (!command.empty()) {
        line += ' ';
        line += shellQuoted(command);
    }
    line += " --help";
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + line);
    std::string text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    if (pclose(pipe) != 0 || text.empty())
        throw std::runtime_error(line + " failed");
    return parseHelp(text);
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The completion's function name: "tq305-radio" completes as _tq305_radio.
std::string functionName(const std::string& program) {
    std::string name = "_";
    name += replaced(program, "-", "_");
    return name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 9) {
        std::cerr << "usage: tq305-help-pages PROGRAM NAME SUMMARY SOURCE DATE MAN_OUT TEMPLATE "
                     "COMPLETION_OUT [PORT_OPTION...]\n";
        return 2;
    }
    const std::string program = argv[1], name = argv[2];
    try {
        ManPage page{name, argv[3], argv[4], argv[5], helpOf(program, ""), {}};
        for (const HelpItem& command : itemsUnder(page.help, "Commands"))
            page.commands.emplace_back(command.term, helpOf(program, command.term));
        writeFile(argv[6], manPageText(page));

        if (std::string(argv[8]) == "-")
            return 0;
        CompletionSource source{functionName(name),
                                page.help,
                                page.commands,
                                {argv + 9, argv + argc},
                                radiolink::PortCount};
        std::string completion = fileText(argv[7]);
        completion = replaced(completion, "@WORDS@", completionWords(source));
        completion = replaced(completion, "@FUNCTION@", source.function);
        completion = replaced(completion, "@PROGRAM@", name);
        writeFile(argv[8], completion);
    } catch (const std::exception& failure) {
        std::cerr << "tq305-help-pages: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
