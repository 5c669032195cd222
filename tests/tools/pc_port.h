// The PC's end of the line in the radio's tests: the pseudo-terminal opened
// with plain POSIX calls.
#pragma once

#include <QByteArray>
#include <QString>

class PcPort {
  public:
    explicit PcPort(const QString& path);
    ~PcPort();
    PcPort(const PcPort&) = delete;
    PcPort& operator=(const PcPort&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray& bytes);
    // Up to `count` bytes, waiting at most `milliseconds` for all of them.
    QByteArray receive(int count, int milliseconds = 3000);
    // What one read takes once anything has come, waiting at most
    // `milliseconds`: the bytes the radio handed on together.
    QByteArray receivePiece(int milliseconds = 3000);
    // Whether nothing arrives for a while.
    bool staysQuiet(int milliseconds = 300);
    // Whether the line ends (end of file or EIO) within the time.
    bool hangsUp(int milliseconds = 3000);

  private:
    bool waitReadable(int milliseconds);
    int m_fd = -1;
};
