// The radio's end of the cable: a pseudo-terminal whose slave side the
// program opens as its serial port.
#pragma once

#include <string>

namespace radio {

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens the master (non-blocking) and holds the slave open ourselves,
    // in raw mode at 9600 baud: no byte is translated either way, and the
    // program may close and reopen the port as often as it likes without
    // the master seeing a hang-up. On failure, says why.
    bool open(std::string& error);
    // Both ends go: the program's side reads end of file or EIO, as when a
    // cable is pulled.
    void close();

    // Waits, at most the time given, until the program has read what we
    // sent: closing the master throws away what its side has not read yet.
    void waitUntilRead(int milliseconds) const;

    int master() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }

  private:
    int m_master = -1;
    int m_heldSlave = -1;
    std::string m_slavePath;
};

} // namespace radio
