#pragma once

#include <QStringList>

// Every message of the program, with its style and its texts in both
// languages, kept in one table.
namespace ui {

enum class Msg {
    QuitConfirm,
    BandChangeConfirm,
    BeyondBand,
    NewConfirm,
    WrongFileType,
    FileNotRead,            // %1 the file, %2 the system's reason
    FileNotSaved,           // %1 the file, %2 the system's reason
    FileNotReadNotRegular,  // %1 the file: a pipe, a device or a socket
    FileNotSavedNotRegular, // %1 the file: a pipe, a device or a socket
    PortInvalid,            // a transfer asked for with the port closed
    ReadSucceeded,
    WriteSucceeded,
    CommunicationError,      // the radio fell silent during a transfer
    NothingWrittenLinkError, // the radio fell silent before a write sent anything
    BandRefused,
    ForceWriteQuestion,
    PortError,          // %1 the port number, %2 the line saying why (portFailureText)
    PortBindingFailed,  // %1 the port number, %2 the line saying why
    PasteNotChannels,   // the clipboard's text has no CSV header to read channels by
    InsertNoRoom,       // channel 99 is occupied
    CsvNotUsable,       // %1 the file: no header with the Location and Frequency columns,
                        // %2 what it has
    CsvTooLarge,        // %1 the file, %2 the largest size in KB
    WriteVerified,      // written, read back and found equal
    WrittenNotVerified, // written, but the read back for the check did not complete
    WrittenVerifyOff,   // written, with Verify after Writing turned off
    Restored,           // %1 the backup's file: written back and verified
    RestoredUnverified, // %1 the backup's file: written back, verify turned off
    OldBackupsRemoved,  // %1 the limit, %2 the files removed to keep it
    DeleteBackupQuery,  // %1 the backup's file
    BackupNotDeleted,   // %1 the file, %2 the system's words
    DeleteKeptQuery,    // %1 the backup's file, which a history record keeps
    DeleteRecordsQuery, // %1 how many history records
    RecordsNotDeleted,  // %1 why (English, from the database)
    VerifyFailed,       // %1 the addresses of the blocks the radio holds otherwise
    BackupReadFailed,   // the read before the write failed: nothing was written
    BackupNotSaved,     // %1 the backup file, %2 the system's reason: nothing was written
    StopWriteQuestion,  // Cancel pressed during a write
    StopBatchQuestion,  // Cancel pressed during a batch write
    PartialWrite,       // %1 the last block's address, %2 its number, %3 the blocks in all,
                        // %4 why it stopped
    PrintFontMissing,   // %1 the characters of a printout no installed font can draw
    YamlNotUsable,      // %1 the file, %2 the line saying where and why
    YamlTooLarge,       // %1 the file, %2 the largest size in KB
    ExportNotes,        // %1 the file, %2 one line per value it cannot carry (English)
    RecordNotKept,      // %1 why (English, from the database and the system)
    ValueGivenBefore,   // %1 KEY=VALUE, %2 the radio that got it, %3 when, %4 its result
};

// Shows the message in the language in force, with %1, %2... replaced by
// the arguments; returns the button number.
int showMessage(Msg id, const QStringList& arguments = {});

// The message's text and title as showMessage shows them, for windows of
// their own that say it with other buttons.
QString messageText(Msg id, const QStringList& arguments = {});
QString messageTitle(Msg id);
int messageStyle(Msg id);
// The captions of a question's buttons that say what each does, in the
// language in force; empty for the usual OK, Cancel...
QStringList messageButtons(Msg id);

// A block's address as the messages name it: 0x followed by three upper-case
// hexadecimal digits (0x7F0).
QString blockAddressText(int address);

} // namespace ui
