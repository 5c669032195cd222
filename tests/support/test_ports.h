// Port numbers that reach a pseudo-terminal, as a cable would: links com1 to
// com16 in a test's own ports folder, all to one pseudo-terminal (the program
// closes one port before it opens the next). Numbers left out lead nowhere.
#pragma once

#include "platform/port_names.h"
#include "support/pseudo_terminal.h"

#include <QDir>
#include <QFile>
#include <QList>

struct TestPorts {
    PseudoTerminal pty;
    QString folder;

    explicit TestPorts(const QString& portsFolder, const QList<int>& numbers = allNumbers())
        : folder(portsFolder) {
        QDir().mkpath(folder);
        for (int n : numbers) {
            const QString link = QDir(folder).filePath(QString("com%1").arg(n));
            // A link left by an earlier pseudo-terminal would lead to its
            // number, which another process may have by now.
            QFile::remove(link);
            QFile::link(pty.slavePath(), link);
            m_links << link;
        }
    }
    ~TestPorts() {
        for (const QString& link : m_links)
            QFile::remove(link);
    }
    TestPorts(const TestPorts&) = delete;
    TestPorts& operator=(const TestPorts&) = delete;
    // Devices of numbers without a link stay inside the test's folder.
    radiolink::PortPlaces places() const { return {folder, QDir(folder).filePath("ttyUSB")}; }

    static QList<int> allNumbers() {
        QList<int> all;
        for (int n = 1; n <= radiolink::PortCount; ++n)
            all << n;
        return all;
    }

  private:
    QStringList m_links;
};
