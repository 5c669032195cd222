#include "shell/program_help.h"

#include "words/program_info.h"
#include "words/program_version.h"

#include <cstdio>
#include <string_view>

namespace shell {

namespace {

// Laid out as the other programs' help texts, which the manual pages are
// made from: paragraphs, headings ending with ':', items at two spaces.
constexpr const char* HelpText =
    R"(Usage: TQ305sys [--help | --version]

The programming software of the TQ-305 handheld radio: reads the radio's
2048-byte memory over its programming cable, edits its 99 channels and
radio-wide features, writes it back, keeps images as .dat files and prints
them, in Chinese or English. Qt's own options, such as -platform NAME, are
passed to Qt; the program takes no other.

Options:
  -h, --help      this text
  --version       the program's version

Ports:
The program chooses the serial port by number, 1 to 16 (Communication Port).
Port N is the link comN in ~/.local/share/TQ305CloneDesk/ports/
($XDG_DATA_HOME in place of ~/.local/share when set) when that link exists,
else /dev/ttyUSB(N-1). Ports and Adapters binds a port to a USB serial
adapter: its link then leads to the adapter's name in /dev/serial/by-id,
which holds its serial number, so the port keeps that cable in any USB
socket. Serial devices belong to the group dialout.

Exit status:
  0               the program ended, or printed what was asked
  1               the help or version could not be printed

Environment:
  XDG_DATA_HOME   the per-user data folder, ~/.local/share when unset
  XDG_CONFIG_HOME the per-user settings folder, ~/.config when unset

Files:
  ~/.config/TQ305CloneDesk/TQ305sys.ini
                  the user-interface language (key MZ7T, value BinaryValue)
                  and the write options
  ~/.local/share/TQ305CloneDesk/parameter
                  the chosen serial port; beside the program instead when it
                  runs from a folder of the user's own that holds one or may
                  (a build folder), never beside an installed program
  ~/.local/share/TQ305CloneDesk/ports/
                  links comN to the serial devices the ports reach
  ~/.local/share/TQ305CloneDesk/backups/
                  the backups taken before writes
  ~/.local/share/TQ305CloneDesk/history.db
                  the history: the radios read, written, verified and
                  restored, the values given to each and the backups taken
                  (an SQLite database; tq305 history lists it); records it
                  could not take wait beside it in history.db.pending

See also:
tq305(1), tq305-radio(1)
)";

// 0 once everything printed reached standard output.
int answered() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

} // namespace

std::optional<int> answerProgramHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(HelpText, stdout);
            return answered();
        }
        if (argument == "--version") {
            std::printf("%s (TQ-305 CloneDesk) %s\n%s", ui::ProgramName, ui::ProgramVersion,
                        TQ_LICENCE_NOTICE);
            return answered();
        }
    }
    return std::nullopt;
}

} // namespace shell
