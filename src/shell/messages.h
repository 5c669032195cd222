#pragma once

// Every message of the program, with its style and its texts in both
// languages, kept in one table.
namespace shell {

enum class Msg {
    QuitConfirm,
    BandChangeConfirm,
    BeyondBand,
};

// Shows the message in the language in force; returns the button number.
int showMessage(Msg id);

} // namespace shell
