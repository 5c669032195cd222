// Runs a program of the system or of the build, as a user would in a shell.
#pragma once

#include <QProcess>
#include <QStringList>

struct CommandRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CommandRun runCommand(const QString& program, const QStringList& arguments,
                             const QStringList& environment = {}, const QString& folder = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process.setProcessEnvironment(env);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
