// Times tq305 export and tq305 import of a 99-channel image, whole processes
// without a display (QT_QPA_PLATFORM and DISPLAY unset), against the start of
// a bare QCoreApplication in the same run, the files in memory (/dev/shm). Each should take at most
// twice as long. Run by hand: build/bin/csv_commands_bench [repetitions]
#include "bench_timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Runs `program` with `arguments` and no display; false when it fails.
bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// 99 channels of the 400-480 MHz band, with tones and a lock.
QByteArray channelList() {
    QByteArray csv = "Location,Frequency,Duplex,Offset,Tone,cToneFreq,Mode,BusyLock\n";
    for (int n = 1; n <= 99; ++n)
        csv += QByteArray::number(n) + "," + QByteArray::number(400 + n * 0.8, 'f', 5) +
               ",+,5,TSQL,88.5," + (n % 2 ? "NFM" : "FM") + "," + (n % 3 ? "Off" : "On") + "\n";
    return csv;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = repetitionsFrom(argc, argv, 15);
    // In memory where the system has it: the commands' fsync on a disk
    // would measure the disk, not the commands.
    QTemporaryDir folder(QDir("/dev/shm").exists()
                             ? "/dev/shm/csv_commands_bench-XXXXXX"
                             : QDir::tempPath() + "/csv_commands_bench-XXXXXX");
    const QString list = folder.filePath("list.csv"), dat = folder.filePath("list.dat");
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly) || file.write(channelList()) < 0)
        return 1;
    file.close();
    const QStringList import{"import", list, "-o", dat, "--band", "3"};
    const QStringList exportArguments{"export", dat, "-o", folder.filePath("out.csv")};
    if (!run(TQ305_PROGRAM, import) || !run(TQ305_PROGRAM, exportArguments)) {
        std::fprintf(stderr, "csv_commands_bench: tq305 failed\n");
        return 1;
    }
    auto timeOf = [&](const QString& program, const QStringList& arguments) {
        return medianNs(
            1, repetitions, [](int) {}, [&](int) { run(program, arguments); });
    };
    const double bare = timeOf(BARE_CORE_APP, {});
    const double exported = timeOf(TQ305_PROGRAM, exportArguments);
    const double imported = timeOf(TQ305_PROGRAM, import);
    std::printf("bare QCoreApplication: %.1f ms\n"
                "tq305 export: %.1f ms, %.2f x\n"
                "tq305 import: %.1f ms, %.2f x (each at most 2)\n",
                bare / 1e6, exported / 1e6, exported / bare, imported / 1e6, imported / bare);
    return exported <= 2 * bare && imported <= 2 * bare ? 0 : 1;
}
