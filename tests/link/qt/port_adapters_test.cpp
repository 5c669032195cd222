// Ports told apart by their adapters, with a stand-in for the system's list
// of adapters and its /dev/serial/by-id: a port bound to an adapter's serial
// number follows that adapter to whichever device it comes up as, and is
// absent, not another cable, while it is unplugged.
#include "platform/port_adapters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

Q_DECLARE_METATYPE(radiolink::BindFailure)

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

        QVERIFY(radiolink::bindPort(3, "B2", places(), adapters()).ok());
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

        QVERIFY(radiolink::unbindPort(3, places()).ok());
        QCOMPARE(radiolink::portDeviceName(3, places()), path("dev/ttyUSB2"));
    }

    void bindingRefused_data() {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<bool>("stableName");
        QTest::addColumn<bool>("linkInTheWay");
        QTest::addColumn<radiolink::BindFailure>("failure");
        QTest::addColumn<QString>("subject");
        QTest::newRow("a serial number no adapter has")
            << "Z9" << true << false << radiolink::BindFailure::NoSuchAdapter << "Z9";
        QTest::newRow("no serial number")
            << "" << true << false << radiolink::BindFailure::NoSuchAdapter << "";
        QTest::newRow("an adapter without a by-id name")
            << "A1" << false << false << radiolink::BindFailure::NoStableName
            << path("dev/ttyUSB0");
        QTest::newRow("the new link cannot be made")
            << "A1" << true << true << radiolink::BindFailure::LinkNotMade << path("ports/com1");
    }
    // Whatever stops it, the port stays bound as it was.
    void bindingRefused() {
        QFETCH(QString, serial);
        QFETCH(bool, stableName);
        QFETCH(bool, linkInTheWay);
        QFETCH(radiolink::BindFailure, failure);
        QFETCH(QString, subject);
        plug("B2", 1);
        QVERIFY(radiolink::bindPort(1, "B2", places(), adapters()).ok());
        plug("A1", 0);
        if (!stableName)
            m_plugged.back().stableName.clear();
        if (linkInTheWay) // a folder where the new link would be made
            QVERIFY(QDir().mkpath(path("ports/com1.new/kept")));

        const radiolink::BindResult result = radiolink::bindPort(1, serial, places(), adapters());
        QCOMPARE(result.failure, failure);
        QCOMPARE(result.subject, subject);
        QCOMPARE(port(1).adapter->serialNumber, "B2");
        QVERIFY(port(1).bound);
        QDir(path("ports/com1.new")).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(PortAdaptersTest)
#include "port_adapters_test.moc"
