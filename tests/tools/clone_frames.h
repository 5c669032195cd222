// The PC's frames of the clone protocol and the radio's answers, as the
// radio's tests send and expect them.
#pragma once

#include <QByteArray>
#include <QList>

namespace frames {

inline const QByteArray Program("PROGRAM");
inline const QByteArray IdentRequest(1, '\x02');
inline const QByteArray Ack(1, '\x06');
inline const QByteArray Nak(1, '\x15');
inline const QByteArray End("E");
inline const QByteArray Stray("\x10\x65", 2);

inline QByteArray addressed(char kind, int address, char length = 0x10) {
    return QByteArray(1, kind) + char(address >> 8) + char(address & 0xFF) + length;
}
inline QByteArray readRequest(int address) {
    return addressed('R', address);
}
// A write block from the PC and a block from the radio look alike.
inline QByteArray block(int address, const QByteArray& data) {
    return addressed('W', address) + data;
}
// Byte 7 holds the band in its low four bits.
inline QByteArray ident(const QByteArray& product, int byte7, char tail = '\xFF') {
    return product + char(byte7) + tail;
}

// The addresses a read asks for: 0x000-0x520, 0x700-0x7F0.
inline QList<int> readAddresses() {
    QList<int> addresses;
    for (int a = 0x000; a <= 0x520; a += 16)
        addresses << a;
    for (int a = 0x700; a <= 0x7F0; a += 16)
        addresses << a;
    return addresses;
}

// The addresses a write sends: 0x000-0x510, 0x700-0x7E0.
inline QList<int> writeAddresses() {
    QList<int> addresses;
    for (int a = 0x000; a <= 0x510; a += 16)
        addresses << a;
    for (int a = 0x700; a <= 0x7E0; a += 16)
        addresses << a;
    return addresses;
}

} // namespace frames
