// Runs the tq305 command line (TQ305_PROGRAM) and keeps what it said.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct Tq305Run {
    int exitCode;
    QString out;
    QString err;
};

inline Tq305Run
runTq305(const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TQ305_PROGRAM, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
