// Every command of tq305 with its operands and options, one row each. A new
// option is one row here: the help, the manual page and the completion
// follow from it.
#include "cli/usage.h"

namespace cli {

namespace {

constexpr UsageItem DumpItems[] = {
    {"FILE.dat", "FILE.dat", "the data file to show"},
    {"[--json]", "--json",
     "print the same as JSON, keyed by window and control name (MDIForm1.Combo1, Form1.Grid1 as "
     "rows of cell texts with the header row first, Form3.Combo6...)"},
    {"[--lang zh|en]", "--lang zh|en", "the language of the list texts (English by default)"},
};

constexpr UsageItem PrintItems[] = {
    {"FILE.dat", "FILE.dat", "the data file to print"},
    {"-o OUT.pdf", "-o OUT.pdf",
     "the PDF to write; replaced in one step, so an OUT.pdf that cannot be written stays as it "
     "was"},
    {"[--lang zh|en]", "--lang zh|en",
     "the language of the captions and list texts (English by default; the headings stay "
     "Chinese)"},
};

constexpr UsageItem ReadItems[] = {
    {"(--port N | --device PATH)", "--port N",
     "the radio on port N, 1 to 16: the link comN in ~/.local/share/TQ305CloneDesk/ports/ when "
     "there is one, else /dev/ttyUSB(N-1)"},
    {"", "--device PATH", "the radio on the serial device PATH"},
    {"-o OUT.dat", "-o OUT.dat",
     "the data file to write; checked before the port is opened, and replaced only once the "
     "whole image is in"},
};

constexpr UsageItem WriteItems[] = {
    {"IN.dat|IN.yaml", "IN.dat|IN.yaml",
     "the data file to write to the radio, or a radio's YAML file (as tq305 import reads it)"},
    {"(--port N | --device PATH)...", "--port N",
     "the radio on port N, 1 to 16, as for read; repeated (with --device too), every radio is "
     "written at once, each with its own backup and verify"},
    {"", "--device PATH", "the radio on the serial device PATH"},
    {"[--force-band]", "--force-band",
     "write even when the radio is set to another band than IN.dat's"},
    {"[--calibration]", "--calibration",
     "also write the power calibration block (0x7F0-0x7FF) from the power levels, as the "
     "program does in its service mode"},
    {"[--no-backup]", "--no-backup",
     "do not read the radio into the backup folder (~/.local/share/TQ305CloneDesk/backups/) "
     "before writing"},
    {"[--no-verify]", "--no-verify", "do not read the radio again after writing to compare"},
    {"[--set KEY=VALUE]...", "--set KEY=VALUE",
     "give each radio a value of its own: KEY names a setting as dump --json and the settings "
     "catalogue do (dtmf.own_code, dtmf.ptt_id...); a VALUE ending in digits and + counts, "
     "1001+ giving the radios 1001, 1002... in the order of the ports. A value the setting "
     "cannot hold is refused before any radio is touched"},
    {"[--start N]", "--start N",
     "begin the counters at N (where an earlier batch stopped); further counters keep their "
     "distance from the first"},
    {"[--repeat]", "--repeat",
     "after each set of radios, wait for Enter and program the next set on the same ports, "
     "counters continued; q or Ctrl+D stops"},
    {"[--again]", "--again",
     "give counted values the history says other radios got already (a radio written over); "
     "without it such a value is named and no radio is written"},
    {"[--auto]", "--auto",
     "program each radio as it is put on the cable, without a key: every port is asked about "
     "twice a second whether a radio answers (the handshake and the ident, no block); a radio "
     "that answers gets the backup, write and verify with the next counter values, and the port "
     "then waits until it is taken off. A port whose device is absent waits for it. Each end "
     "rings the terminal bell and counts (\"3 programmed, 0 failed, 1 refused\"); q and Enter, "
     "or Ctrl+D, ends once the radios in progress are done. Not with --repeat. For example: "
     "tq305 write fleet.dat --port 1 --auto --set dtmf.own_code=1001+"},
    {"[--job NAME]", "--job NAME",
     "take the radios' values from the job NAME in the history, made by its first run: each "
     "radio takes the job's next values in one transaction, so two programs on one job never "
     "give a value twice and the next run goes on where the last stopped; the values of a radio "
     "that failed go back to the job and are given first to the next radio. A later run with "
     "another IN.dat or other --set and --keep options is refused; a job whose values the "
     "history cannot hand out (locked, read-only) writes no radio"},
    {"[--change-job]", "--change-job",
     "let a job go on with the IN.dat and the --set and --keep options given now, the values "
     "given so far staying given"},
    {"[--keep KEY]...", "--keep KEY",
     "keep the radio's own value of the setting KEY (dtmf.own_code, dtmf.ptt_id...) as its "
     "backup read it (so not with --no-backup), writing everything else from IN.dat; the "
     "history records the value kept"},
};

constexpr UsageItem DiffItems[] = {
    {"A.dat|A.yaml", "A.dat|A.yaml", "the data file, or radio's YAML file, compared from"},
    {"B.dat|B.yaml", "B.dat|B.yaml", "the data file, or radio's YAML file, compared to"},
    {"[--json]", "--json", "print an array of objects {place, setting, before, after}"},
    {"[--lang zh|en]", "--lang zh|en", "the language of the names and texts (English by default)"},
};

constexpr UsageItem ExportItems[] = {
    {"FILE.dat", "FILE.dat", "the data file to export"},
    {"-o OUT.csv|OUT.yaml", "-o OUT.csv|OUT.yaml",
     "the file to write, replaced in one step: its channels as CSV, or the whole radio as YAML "
     "(.yaml or .yml)"},
    {"[--format yaml|csv]", "--format yaml|csv",
     "the kind to write whatever OUT's name (by default YAML for .yaml and .yml, else CSV)"},
};

constexpr UsageItem ImportItems[] = {
    {"IN.csv|IN.yaml", "IN.csv|IN.yaml",
     "the channel list, or the radio's YAML file (.yaml or .yml), to read"},
    {"-o OUT.dat", "-o OUT.dat", "the data file to write, replaced in one step"},
    {"--band N", "--band N",
     "the band the channels of a CSV file are checked against: its position 0..7 in the band "
     "list, or its text (136-174MHz); a YAML file names its own"},
    {"[--base FILE.dat]", "--base FILE.dat",
     "take the other settings, and the channels no row names, from FILE.dat instead of those of "
     "File > New; for YAML, every key the file leaves out"},
    {"[--renumber]", "--renumber",
     "put the rows of a CSV file, in file order, on channels 1, 2, 3... instead of their "
     "Location"},
    {"[--format yaml|csv]", "--format yaml|csv",
     "the kind of IN whatever its name (by default YAML for .yaml and .yml, else CSV)"},
};

constexpr UsageItem HistoryItems[] = {
    {"[--json]", "--json",
     "print an array of objects {id, time, action, port, device, file, sha256, band, band_text, "
     "values, result, backup, version, job}"},
    {"[--since DATE]", "--since DATE",
     "only what was done from DATE on (DATE itself included): 2026-12-08, or 2026-12-08 14:30, "
     "local time; a day the month lacks is refused"},
    {"[--code CODE]", "--code CODE",
     "only the radios that got CODE as a value of their own (--set dtmf.own_code=1017 gave "
     "radio 1017 its code)"},
    {"[--file NAME]", "--file NAME", "only the data files whose path holds NAME"},
    {"[--delete-before DATE]", "--delete-before DATE",
     "first delete the records made before DATE (every one: not with --since, --code, --file or "
     "--job); the backups they named are then kept no longer than the backup limit keeps any"},
    {"[--job NAME]", "--job NAME",
     "only the radios written in the job NAME (tq305 write --job); a name no job has is refused"},
    {"[--format csv|pdf -o FILE]", "--format csv|pdf",
     "with --job, write the job's report for the customer to FILE instead: one row per radio "
     "with its number, date, port, values, result and backup, then the totals (radios, "
     "programmed, failed, not finished); the PDF is laid out as the printout is"},
    {"", "-o FILE", "the report to write, replaced in one step"},
    {"[--lang zh|en]", "--lang zh|en", "the language of the report (English by default)"},
};

constexpr CommandUsage Commands[] = {
    {"dump", "print what the program shows for a data file",
     "Prints what the program shows for a data file: the band, the 99 channels as the channel "
     "table shows them, every optional feature with its value, the DTMF window, the FM presets "
     "and settings, and the two power levels: what File > Open shows, worked out from the file "
     "without building a window or needing a display.\n\n"
     "Exit status: 0 done; 2 a wrong command line; 3 a data file that cannot be opened or used "
     "(one line on standard error).",
     DumpItems},
    {"print", "write the program's printout of a data file as a PDF",
     "Writes the program's printout of a data file as a PDF, the same document File > Print "
     "previews and prints: the function settings, the VOX settings and the power levels in "
     "tables, then the channel table on pages of its own. The page is A4 with 15 mm margins; "
     "Chinese text needs a CJK font (fonts-wqy-microhei): a printout that no installed font "
     "can show whole is not written.\n\n"
     "Exit status: 0 done; 1 no font shows every character of the printout; 2 a wrong command "
     "line; 3 a data file that cannot be opened or used, or a PDF that cannot be written.",
     PrintItems},
    {"read", "read the radio into a data file",
     "Reads the radio's memory over its clone protocol into a data file with the radio's band "
     "in its header. The progress goes to standard error. A read that fails leaves no file, and "
     "an OUT.dat that was there stays as it was.\n\n"
     "Exit status: 0 done; 1 the radio failed (one line says which and where); 2 a wrong command "
     "line; 3 the port or OUT.dat could not be opened, or the record of the read could be kept "
     "neither in the history nor beside it; 130 interrupted (the radio is told to "
     "leave its clone mode).",
     ReadItems},
    {"write", "write a data file to the radio, with a backup before and a verify after",
     "Sends the radio what the program sends for IN.dat: the file's values as File > Open shows "
     "them, encoded again. First the radio is read and its memory "
     "kept as a backup, whose path is printed; a radio set to another band than IN.dat's is "
     "refused with nothing written. After the write the radio is read again and every byte "
     "written compared with what was sent. A write that stopped after its first block left the "
     "radio with a mix of old and new memory: the message names the block it reached and the "
     "command that writes the backup back. To restore a radio, write a backup as any data file. "
     "A YAML file is read as tq305 import reads it. A value no window can write back (a tone "
     "code in no tone list) is sent as the windows encode it, each named in a note first.\n\n"
     "Exit status: 0 done and verified; 1 the radio failed or the verify found a difference, "
     "and nothing was written or all of it; 2 a wrong command line, a value a radio could not "
     "hold, or a job begun with another IN.dat or other values; 3 the port, IN.dat or the "
     "backup could not be opened or kept, IN.dat's header names no band (--force-band "
     "writes it anyway), the record of a radio written could be kept neither in the history "
     "nor beside it, or a job's values could not be taken from the history; 4 a write stopped "
     "part-way; 130 interrupted. With several radios, and with --auto: 0 only when every radio "
     "ended with 0, else the first of 4, 130, 1 and 3 one of them ended with (a radio of "
     "another band refused gives 1; with --auto a signal gives 130 and a counter run out 2).",
     WriteItems},
    {"history", "list the radios read, written, verified and restored",
     "Lists every radio the program and tq305 have read, written, verified or restored, oldest "
     "first: when, the port and its device, the data file and its SHA-256, the radio's band, the "
     "values given to that radio alone, what came of it (verified, partial at block N, refused "
     "and why) and the backup taken first. The record is kept in "
     "~/.local/share/TQ305CloneDesk/history.db; the backups it names are kept until their "
     "record is deleted. A record the database could not take (locked too long, read-only, "
     "damaged) waits in history.db.pending beside it and goes in when the database can take "
     "it; a write is kept as \"started, not finished\" before its first block, so a program "
     "killed mid-write leaves a record. A job's radio whose program was killed between taking "
     "its values and ending its write keeps them: they are never given to another radio.\n\n"
     "Exit status: 0 done, whether or not anything was found; 2 a wrong command line or a job "
     "the history lacks; 3 the history could not be opened, or the report could not be "
     "written.",
     HistoryItems},
    {"diff", "print what differs between two data files, .dat or YAML",
     "Prints what differs from A.dat to B.dat, one line per setting, named and shown as the "
     "program's windows name and show it, as the program's write lists what it will change. "
     "Bytes no window shows end the list as \"Other bytes\" with their offsets, so nothing "
     "printed means the two images are equal.\n\n"
     "Exit status: 0 the files hold the same; 1 they differ; 2 a wrong command line; 3 a file "
     "that cannot be used, or the list could not be written.",
     DiffItems},
    {"export", "write the channel table of a data file as CSV, or the whole radio as YAML",
     "As CSV: one row per channel that exists, in the layout other programming software uses, "
     "names empty, so that importing it gives the same channels back.\n\n"
     "As YAML: the whole radio as a file to read, keep in git, compare and edit by hand: the "
     "band, the channels in use, the optional features and the VFO, the DTMF codes, the FM "
     "presets and settings, the power levels, keyed as the settings are named (channels: 12: "
     "rx_tone) and valued as the English windows show them, and the bytes no window shows as "
     "hex under unshown_bytes. Importing it gives the same data file back.\n\n"
     "Whatever the file cannot carry as the data file holds it (a tone code in no tone list, a "
     "frequency that is not a number, a value an import would refuse, bytes the program always "
     "writes its own way) is named, one line per value, on standard error.\n\n"
     "Exit status: 0 done; 1 a data file of another kind; 2 a wrong command line; 3 a file not "
     "opened or not written.",
     ExportItems},
    {"import", "make a data file from a CSV channel list or a radio's YAML file",
     "Puts the rows of a CSV channel list into the channel table under the rules of typing into "
     "it, and writes the result as a data file. Every row gets one line on standard error: "
     "imported, imported with changes, or skipped and why.\n\n"
     "A YAML file as tq305 export writes it, edited or not, becomes a data file of its band; "
     "keys it leaves out keep the values of the base, else of File > New, and a channel given "
     "as ~ is emptied. Every value is checked as the windows check what is typed: an unknown "
     "key, a value out of range or off the raster, a wrong type, a channel given twice, or text "
     "that is not YAML is one line naming the file, line and column, the key and what is "
     "allowed.\n\n"
     "Exit status: 0 done; 1 unusable input (no header with Location and Frequency, no row "
     "imported, a quote never closed, a file over 1 MB, a base of another band, a YAML file "
     "with a fault), and nothing is written; 2 a wrong command line or band; 3 a file not "
     "opened or not written.",
     ImportItems},
};

} // namespace

const std::string_view ProgramDescription =
    "The command line of TQ-305 CloneDesk: reads and writes the TQ-305 handheld radio over its "
    "programming cable, shows and prints its .dat data files, exchanges the channel table "
    "with other programming software as CSV, and writes and reads the whole radio as a YAML "
    "file to read and edit by hand. Nothing it does needs a display.";

std::span<const CommandUsage> commandUsages() {
    return Commands;
}

// One table for every command; each command's help tells its own cases.
constexpr UsageItem ExitStatuses[] = {
    {"", "0", "done; for diff, the files hold the same"},
    {"", "1",
     "the radio failed or the verify found a difference; for diff, the files differ; for "
     "export and import, an input of another kind or one that cannot be used; for print, no "
     "font shows every character of the printout"},
    {"", "2", "a wrong command line"},
    {"", "3",
     "a file or port that cannot be opened, used or written: a missing input file gives 3 in "
     "every command"},
    {"", "4", "a write stopped part-way: the radio holds a mix of old and new memory"},
    {"", "130", "interrupted (SIGINT, SIGTERM, SIGHUP or SIGQUIT)"},
};

constexpr UsageItem Environment[] = {
    {"", "XDG_DATA_HOME",
     "the per-user data folder, ~/.local/share when unset, which holds TQ305CloneDesk/ports/ "
     "and TQ305CloneDesk/backups/"},
};

constexpr UsageItem Files[] = {
    {"", "~/.local/share/TQ305CloneDesk/ports/comN",
     "a link to the serial device port N reaches; without it, port N is /dev/ttyUSB(N-1)"},
    {"", "~/.local/share/TQ305CloneDesk/backups/", "the backups write takes before it writes"},
    {"", "~/.local/share/TQ305CloneDesk/history.db",
     "the history: the radios read, written, verified and restored, the values given to each and "
     "the backups taken (an SQLite database; tq305 history lists it); records it could not take "
     "wait beside it in history.db.pending"},
};

constexpr HelpSection ClosingSections[] = {
    {"Exit status", ExitStatuses, ""},
    {"Environment", Environment, ""},
    {"Files", Files, ""},
    {"See also", {}, "TQ305sys(1), tq305-radio(1)"},
};

std::span<const HelpSection> closingSections() {
    return ClosingSections;
}

} // namespace cli
