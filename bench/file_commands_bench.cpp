// Times tq305 dump, diff, export and import of a 99-channel image, whole
// processes without a display (QT_QPA_PLATFORM and DISPLAY unset), against
// the start of a bare QCoreApplication in the same run, the files in memory
// (/dev/shm). Each should take at most twice as long. Run by hand:
// build/bin/file_commands_bench [repetitions]
#include "bench_timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

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

// User and system time of the finished child processes so far.
double childrenCpuNs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ns = [](const timeval& t) { return double(t.tv_sec) * 1e9 + double(t.tv_usec) * 1e3; };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
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
                             ? "/dev/shm/file_commands_bench-XXXXXX"
                             : QDir::tempPath() + "/file_commands_bench-XXXXXX");
    const QString list = folder.filePath("list.csv"), dat = folder.filePath("list.dat");
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly) || file.write(channelList()) < 0)
        return 1;
    file.close();
    const QStringList import{"import", list, "-o", dat, "--band", "3"};
    const QStringList exportArguments{"export", dat, "-o", folder.filePath("out.csv")};
    const QStringList dump{"dump", dat};
    const QStringList diff{"diff", dat, dat};
    if (!run(TQ305_PROGRAM, import)) {
        std::fprintf(stderr, "file_commands_bench: tq305 import failed\n");
        return 1;
    }
    for (const QStringList& arguments : {exportArguments, dump, diff})
        if (!run(TQ305_PROGRAM, arguments)) {
            std::fprintf(stderr, "file_commands_bench: tq305 %s failed\n",
                         qPrintable(arguments[0]));
            return 1;
        }
    struct Times {
        double wallNs, cpuNs;
    };
    // The median wall time, and the processor time the runs took on average,
    // which other load on the machine does not stretch.
    auto timeOf = [&](const QString& program, const QStringList& arguments) {
        const double before = childrenCpuNs();
        const double wall = medianNs(
            1, repetitions, [](int) {}, [&](int) { run(program, arguments); });
        return Times{wall, (childrenCpuNs() - before) / (repetitions + 1)};
    };
    const Times bare = timeOf(BARE_CORE_APP, {});
    std::printf("bare QCoreApplication: %.1f ms (processor %.1f ms)\n", bare.wallNs / 1e6,
                bare.cpuNs / 1e6);
    bool fast = true;
    for (const QStringList& arguments : {dump, diff, exportArguments, import}) {
        const Times times = timeOf(TQ305_PROGRAM, arguments);
        std::printf("tq305 %s: %.1f ms, %.2f x (processor %.1f ms, %.2f x); at most 2 x\n",
                    qPrintable(arguments[0]), times.wallNs / 1e6, times.wallNs / bare.wallNs,
                    times.cpuNs / 1e6, times.cpuNs / bare.cpuNs);
        fast = fast && times.wallNs <= 2 * bare.wallNs;
    }
    return fast ? 0 : 1;
}
