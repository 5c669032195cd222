// A manual page in section 1, in roff, made from help texts.
#pragma once

#include "help_text.h"

#include <string>

namespace helppages {

struct ManPage {
    std::string program; // as the reader types it: "tq305"
    std::string summary; // the NAME line's text after "program \- "
    std::string source;  // the footer's left side: "TQ-305 CloneDesk 1.0"
    std::string date;    // the footer's middle: the version's date, "2026-12-08"
    HelpText help;       // the program's own help
    // For a program with commands: each command's name and help, each made
    // a section of its own.
    std::vector<std::pair<std::string, HelpText>> commands;
};

std::string manPageText(const ManPage& page);

} // namespace helppages
