// Times File > Import CSV of a 10,000-row file, from the moment the file is
// chosen to the moment the preview shows, against `tq305 import` of the same
// file (the whole process) in the same run. The preview should take at most
// twice as long.
// Run by hand: build/bin/import_preview_bench [repetitions]
#include "bench_timing.h"
#include "support/program_fixture.h"
#include "support/tq305_run.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <cstdio>

namespace {

constexpr int Rows = 10000;

// Rows of every kind: imported, snapped, outside the band, a channel given twice.
QByteArray channelList() {
    QByteArray csv = "Location,Name,Frequency,Duplex,Offset,Tone,cToneFreq,Mode\r\n";
    for (int i = 0; i < Rows; ++i)
        csv += QByteArray::number(i % 120 + 1) + ",Row " + QByteArray::number(i) + "," +
               (i % 3 == 0   ? "446.0123"
                : i % 3 == 1 ? "438.5"
                             : "145.5") +
               ",-,5,TSQL,100.0,NFM\r\n";
    return csv;
}

// The file dialog's closing starts the clock, the preview's showing stops it.
class PreviewClock : public QObject {
  public:
    qint64 elapsedNs = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && qobject_cast<QFileDialog*>(watched))
            m_clock.start();
        else if (event->type() == QEvent::Show && watched->objectName() == "FrmImportPreview")
            elapsedNs = m_clock.nsecsElapsed();
        return false;
    }

  private:
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char** argv) {
    preferOffscreen();
    QApplication app(argc, argv);
    const int repetitions = repetitionsFrom(argc, argv, 5);
    QTemporaryDir folder;
    const QString file = folder.filePath("rows.csv");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(channelList()) < 0)
        return 1;
    out.close();

    ProgramFixture p;
    PreviewClock clock;
    app.installEventFilter(&clock);
    // One untimed import first, as medianNs warms up.
    std::vector<double> previews;
    for (int i = 0; i <= repetitions; ++i) {
        ScriptedAnswers answers;
        answers.chooseFile(file).onDialog("FrmImportPreview",
                                          [](QDialog* dialog) { dialog->reject(); });
        p.window->findChild<QAction*>("MNImportCsv")->trigger();
        if (i > 0)
            previews.push_back(double(clock.elapsedNs));
    }
    std::nth_element(previews.begin(), previews.begin() + repetitions / 2, previews.end());
    const double preview = previews[std::size_t(repetitions / 2)];
    const double cli = medianNs(
        1, repetitions, [](int) {},
        [&](int) {
            runTq305({"import", file, "-o", folder.filePath("out.dat"), "--band", "3"});
        });
    const double ratio = preview / cli;
    std::printf("import preview of %d rows: %.1f ms; tq305 import: %.1f ms; %.2f x (at most 2)\n",
                Rows, preview / 1e6, cli / 1e6, ratio);
    return ratio <= 2 ? 0 : 1;
}
