// Ports told apart by their adapters, with a stand-in for the system's list
// of adapters and its /dev/serial/by-id: a port bound to an adapter's serial
// number follows that adapter to whichever device it comes up as, and is
// absent, not another cable, while it is unplugged.
#include "link/qt/port_adapters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class PortAdaptersTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<radiolink::SerialAdapter> m_plugged;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    radiolink::PortPlaces places() const { return {path("ports"), path("dev/ttyUSB")}; }
    radiolink::AdapterList adapters() const {
        return [this] { return m_plugged; };
    }

    // The adapter with `serial` comes up as ttyUSB`index`, its by-id name
    // following it as udev's does.
    void plug(const QString& serial, int index) {
        const QString device = path(QString("dev/ttyUSB%1").arg(index));
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString stable = path("by-id/usb-FTDI_FT232R_" + serial + "-if00-port0");
        ::unlink(QFile::encodeName(stable).constData());
        QVERIFY(QFile::link(device, stable));
        m_plugged.push_back({device, "FTDI", "FT232R USB UART", serial, stable});
    }
    void unplugAll() {
        m_plugged.clear();
        QDir(path("by-id")).removeRecursively();
        QDir(path("dev")).removeRecursively();
        QVERIFY(QDir().mkpath(path("by-id")) && QDir().mkpath(path("dev")));
    }

    radiolink::PortDescription port(int number) const {
        return radiolink::describePorts(places(), adapters()).at(std::size_t(number - 1));
    }

  private slots:
    void init() {
        QDir(path("ports")).removeRecursively();
        unplugAll();
    }

    void boundPortFollowsItsAdapter() {
        plug("A1", 0);
        plug("B2", 1);
        QCOMPARE(radiolink::describePorts(places(), adapters()).size(),
                 std::size_t(radiolink::PortCount));
        QCOMPARE(port(1).adapter->serialNumber, "A1");
        QVERIFY(!port(1).bound);
        QVERIFY(!port(3).present);
        QCOMPARE(radiolink::portSummary(port(3)), path("dev/ttyUSB2") + " (absent)");

        QString error;
        QVERIFY2(radiolink::bindPort(3, "B2", places(), adapters(), error), qPrintable(error));
        QVERIFY(port(3).bound);
        QCOMPARE(port(3).device, path("dev/ttyUSB1"));
        QCOMPARE(radiolink::portSummary(port(3)),
                 path("dev/ttyUSB1") + " - FTDI FT232R USB UART, serial B2");

        // Plugged into other sockets: the numbers swap, port 3 stays B2.
        unplugAll();
        plug("B2", 0);
        plug("A1", 1);
        QCOMPARE(port(3).device, path("dev/ttyUSB0"));
        QCOMPARE(port(3).adapter->serialNumber, "B2");
        QCOMPARE(port(1).adapter->serialNumber, "B2"); // unbound: the number decides

        // Unplugged: absent, and the port leads nowhere else.
        unplugAll();
        plug("A1", 0);
        QVERIFY(!port(3).present);
        QVERIFY(port(3).bound);
        QVERIFY(!port(3).adapter);
        QVERIFY(!QFile::exists(radiolink::portDeviceName(3, places())));

        QVERIFY(radiolink::unbindPort(3, places()));
        QCOMPARE(radiolink::portDeviceName(3, places()), path("dev/ttyUSB2"));
    }

    void bindingRefused_data() {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<bool>("stableName");
        QTest::addColumn<QString>("error");
        QTest::newRow("a serial number no adapter has")
            << "Z9" << true << "no adapter plugged in has the serial number Z9";
        QTest::newRow("no serial number")
            << "" << true << "no adapter plugged in has the serial number ";
        QTest::newRow("an adapter without a by-id name") << "A1" << false << "has no name in";
    }
    void bindingRefused() {
        QFETCH(QString, serial);
        QFETCH(bool, stableName);
        QFETCH(QString, error);
        plug("A1", 0);
        if (!stableName)
            m_plugged.back().stableName.clear();
        QString said;
        QVERIFY(!radiolink::bindPort(1, serial, places(), adapters(), said));
        QVERIFY2(said.contains(error), qPrintable(said));
        QVERIFY(!QFileInfo(path("ports/com1")).isSymLink());
    }
};

QTEST_GUILESS_MAIN(PortAdaptersTest)
#include "port_adapters_test.moc"
