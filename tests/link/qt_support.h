// The rig's logs and bytes in Qt's types, so a failing comparison shows them.
#pragma once

#include "engine_rig.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QStringList>

namespace linktest {

inline QStringList qtList(const Log& log) {
    QStringList list;
    for (const std::string& entry : log)
        list << QString::fromStdString(entry);
    return list;
}

inline Bytes toBytes(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

inline QByteArray toQt(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The entries of the log that begin with `prefix`, e.g. every "send R ".
inline QStringList entriesStarting(const Log& log, const QString& prefix) {
    QStringList entries;
    for (const QString& entry : qtList(log))
        if (entry.startsWith(prefix))
            entries << entry;
    return entries;
}

// "send R 0000", "send R 0010", ... for a list of addresses.
inline QStringList sentFrames(char command, const std::vector<int>& addresses) {
    QStringList names;
    for (int a : addresses)
        names << QStringLiteral("send %1 %2")
                     .arg(QChar(command))
                     .arg(QString::number(a, 16).toUpper().rightJustified(4, '0'));
    return names;
}

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

inline const QByteArray Ack = bytes({0x06});
inline const QByteArray Ident3 = toQt(ident(0x03));

// A block as the radio sends it, all 16 data bytes `fill`.
inline QByteArray block(int address, int fill) {
    return bytes({'W', address >> 8, address & 0xFF, 0x10}) + QByteArray(16, char(fill));
}

using Bursts = QList<QByteArray>;

inline void receiveAll(Rig& rig, const Bursts& bursts) {
    for (const QByteArray& burst : bursts)
        rig.receive(toBytes(burst));
}

} // namespace linktest

Q_DECLARE_METATYPE(radiolink::StallReason)
