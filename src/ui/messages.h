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
    CommunicationError, // the radio fell silent during a transfer
    BandRefused,
    ForceWriteQuestion,
    PortError,        // %1 the port number, %2 the line saying why (portFailureText)
    PasteNotChannels, // the clipboard's text has no CSV header to read channels by
    InsertNoRoom,     // channel 99 is occupied
    CsvNotUsable, // %1 the file: no header with the Location and Frequency columns, %2 what it has
    CsvTooLarge,  // %1 the file, %2 the largest size in KB
};

// Shows the message in the language in force, with %1, %2... replaced by
// the arguments; returns the button number.
int showMessage(Msg id, const QStringList& arguments = {});

} // namespace ui
