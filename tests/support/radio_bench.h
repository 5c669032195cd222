// The program with port 3 chosen and a tq305-radio reached through it (its
// link com3 in the per-user data folder, which initTestCase points at a
// temporary folder through XDG_DATA_HOME). The radio runs unpaced and keeps
// what a write sent in savedPath().
#pragma once

#include "files/dat_file.h"
#include "platform/serial_port.h"
#include "support/program_fixture.h"
#include "support/virtual_radio.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <span>

inline QString testData(const QString& name) {
    return QString(TQ_TEST_DATA) + "/" + name;
}

// A .dat file's header and image; empty when it cannot be used.
inline files::DatFile loadDat(const QString& path) {
    const files::LoadResult loaded = files::loadDatFile(QFile::encodeName(path).toStdString());
    return loaded.ok() ? loaded.file : files::DatFile{};
}

// Whether two images hold the same bytes in [from, to).
inline bool sameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                      std::size_t from, std::size_t to) {
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

// Whether two images hold the same bytes wherever a read fills them.
inline bool sameAsRead(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return sameBytes(a, b, 0x000, 0x530) && sameBytes(a, b, 0x700, 0x7F1) && a[0x7F2] == b[0x7F2];
}

struct RadioBench {
    static constexpr int Port = 3;

    QTemporaryDir dir;
    std::unique_ptr<VirtualRadio> radio;
    std::unique_ptr<ProgramFixture> program;

    QString savedPath() const { return dir.filePath("saved.dat"); }
    // Where the program looks for port 3: the radio's link, else a device
    // that never exists.
    radiolink::PortPlaces places() const {
        radiolink::PortPlaces places = radiolink::defaultPortPlaces();
        places.devicePrefix = dir.filePath("ttyUSB");
        return places;
    }
    // A radio on port 3, in place of the one before.
    void startRadio(QStringList arguments) {
        radio.reset();
        arguments << "--fast"
                  << "--com" << QString::number(Port) << "--save" << savedPath();
        radio = std::make_unique<VirtualRadio>(arguments);
        QVERIFY(!radio->slavePath().isEmpty());
    }
    // The radio on port 3, then the program with port 3 chosen.
    void start(const QStringList& radioArguments, int language = 1) {
        startRadio(radioArguments);
        program = std::make_unique<ProgramFixture>(language, places(), Port);
        QVERIFY(program->window->serialPort()->isOpen());
    }
    // The program first: the radio checks the protocol as it ends.
    void finish() {
        program.reset();
        radio.reset();
        QFile::remove(savedPath());
    }
};
