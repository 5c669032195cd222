// The word lists of a program's bash completion, made from its help texts:
// its commands, each command's options and operand, and what each option's
// value is (a file type, a choice such as zh|en, a port number).
#pragma once

#include "help_text.h"

#include <string>
#include <utility>
#include <vector>

namespace helppages {

struct CompletionSource {
    std::string function; // the shell name the lists are kept under: "_tq305"
    HelpText help;        // the program's own help
    std::vector<std::pair<std::string, HelpText>> commands;
    std::vector<std::string> portOptions; // options whose value is a port number
    int portCount = 0;
};

// The text in single quotes, as sh reads it back unchanged.
std::string shellQuoted(std::string_view text);

// Bash assignments: FUNCTION_commands, FUNCTION_ports and the associative
// arrays FUNCTION_options, FUNCTION_values ("COMMAND OPTION") and
// FUNCTION_operands, keyed by command ("_" for a program without commands).
std::string completionWords(const CompletionSource& source);

} // namespace helppages
