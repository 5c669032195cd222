// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on
#include "link/cable_watch.h"

using namespace linktest;

class CableWatchTest : public QObject {
    Q_OBJECT

  private slots:
    // A port watched tick by tick while the radio on its cable does what each
    // step says: "on" answers every frame, "off" answers nothing, "greets"
    // acknowledges the handshake and gives no ident, "lost" is the line going
    // away instead of a tick. After an arrival the radio is written (and
    // stays). What matters: a radio is written once while it stays, a swap is
    // seen, and no frame of a probe breaks the radio's protocol.
    void radiosPutOnAndTakenOff_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("frames"); // every frame sent, in order
        QTest::newRow("found at the first probe, kept while it answers")
            << QStringList{"on", "on", "on"} << QStringList{"arrived"}
            << QStringList{"PROGRAM", "02", "E", "PROGRAM", "02", "E", "PROGRAM", "02", "E"};
        QTest::newRow("one lost answer is no swap")
            << QStringList{"on", "off", "on", "on"} << QStringList{"arrived"}
            << QStringList{"PROGRAM", "02", "E",       "PROGRAM", "PROGRAM",
                           "02",      "E",  "PROGRAM", "02",      "E"};
        QTest::newRow("two silent probes are: the next radio arrives")
            << QStringList{"on", "off", "off", "on"} << QStringList{"arrived", "left", "arrived"}
            << QStringList{"PROGRAM", "02", "E", "PROGRAM", "PROGRAM", "PROGRAM", "02", "E"};
        QTest::newRow("a lost line is a radio gone at once")
            << QStringList{"on", "lost", "on"} << QStringList{"arrived", "left", "arrived"}
            << QStringList{"PROGRAM", "02", "E", "PROGRAM", "02", "E"};
        QTest::newRow("no radio: a handshake a tick, nothing else")
            << QStringList{"off", "off", "lost", "off"} << QStringList{}
            << QStringList{"PROGRAM", "PROGRAM", "PROGRAM"};
        // Left in clone mode, the radio would take the next handshake out
        // of step; its answer to "E" would pass for the handshake's.
        QTest::newRow("no ident: E, and a tick for its answer before anything else")
            << QStringList{"greets", "on", "on"} << QStringList{"arrived"}
            << QStringList{"PROGRAM", "02", "E"};
    }
    void radiosPutOnAndTakenOff() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, events);
        QFETCH(QStringList, frames);
        Log log;
        FakePort port(log);
        SimulatedRadio radio;
        radiolink::CableWatch watch(port);
        QStringList seen;
        const auto take = [&](radiolink::CableWatch::Event event) {
            if (event == radiolink::CableWatch::Event::RadioArrived) {
                seen << "arrived";
                watch.radioStays();
            } else if (event == radiolink::CableWatch::Event::RadioLeft) {
                seen << "left";
            }
        };
        std::size_t answered = 0;
        for (const QString& step : steps) {
            take(step == "lost" ? watch.lineLost() : watch.tick());
            for (; answered < port.sent.size(); ++answered) {
                const Bytes& frame = port.sent[answered];
                const bool greeting = frameName(frame) == "PROGRAM";
                if (step == "on" || (step == "greets" && greeting))
                    take(watch.bytesReceived(radio.answer(frame)));
            }
        }
        QCOMPARE(seen, events);
        QStringList sent;
        for (const Bytes& frame : port.sent)
            sent << QString::fromStdString(frameName(frame));
        QCOMPARE(sent, frames);
    }
};

TQ_REGISTER_TEST(CableWatchTest);
#include "cable_watch_test.moc"
