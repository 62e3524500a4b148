#include "core/platform_error.h"
#include "serial/device_name.h"
#include "serial/serial_comm.h"

#include <QTest>

class TestDeviceName : public QObject {
    Q_OBJECT

private slots:
    void order_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("ordered");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("one adapter before the built-in port")
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"} << QStringList{"/dev/ttyUSB0", "/dev/ttyS0"};
        QTest::newRow("adapters first, each group in name order")
            << QStringList{"/dev/ttyS1", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyACM0", "/dev/ttyUSB0"}
            << QStringList{"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyS1"};
        QTest::newRow("numbers as numbers")
            << QStringList{"/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyS10", "/dev/ttyS9"}
            << QStringList{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS9", "/dev/ttyS10"};
        QTest::newRow("macOS names")
            << QStringList{"/dev/cu.Bluetooth-Incoming-Port", "/dev/cu.usbserial-1420", "/dev/cu.usbmodem1101"}
            << QStringList{"/dev/cu.usbmodem1101", "/dev/cu.usbserial-1420", "/dev/cu.Bluetooth-Incoming-Port"};
    }
    void order()
    {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, ordered);
        QCOMPARE(orderSerialPorts(ports), ordered);
    }

    void systemPort_data()
    {
        QTest::addColumn<QString>("deviceName");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<PortNaming>("naming");
        QTest::addColumn<QString>("systemPort");
        const QStringList two = {"/dev/ttyS0", "/dev/ttyUSB0"};
        QTest::newRow("Com1 is the adapter") << "Com1" << two << PortNaming::ListOrder << "/dev/ttyUSB0";
        QTest::newRow("Com2") << "Com2" << two << PortNaming::ListOrder << "/dev/ttyS0";
        QTest::newRow("Com3 beyond the list") << "Com3" << two << PortNaming::ListOrder << "";
        QTest::newRow("no ports") << "Com1" << QStringList{} << PortNaming::ListOrder << "";
        QTest::newRow("no number") << "Com" << two << PortNaming::ListOrder << "";
        QTest::newRow("Com0") << "Com0" << two << PortNaming::ListOrder << "";
        QTest::newRow("not a Com name") << "/dev/ttyS0" << two << PortNaming::ListOrder << "";
        QTest::newRow("Windows Com3") << "Com3" << QStringList{} << PortNaming::Windows << "COM3";
        QTest::newRow("Windows Com16") << "Com16" << two << PortNaming::Windows << "COM16";
        QTest::newRow("Windows no number") << "Com" << QStringList{} << PortNaming::Windows << "";
    }
    void systemPort()
    {
        QFETCH(QString, deviceName);
        QFETCH(QStringList, ports);
        QFETCH(PortNaming, naming);
        QFETCH(QString, systemPort);
        QCOMPARE(systemPortFor(deviceName, ports, naming), systemPort);
    }

    // What igctool's --port opens: Com names as above, anything else as is.
    void portForName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<PortNaming>("naming");
        QTest::addColumn<QString>("port");
        QTest::newRow("Com1") << "Com1" << PortNaming::ListOrder << "/dev/ttyUSB0";
        QTest::newRow("Com alone") << "Com" << PortNaming::ListOrder << "";
        QTest::newRow("Com9 beyond") << "Com9" << PortNaming::ListOrder << "";
        QTest::newRow("device path") << "/dev/pts/3" << PortNaming::ListOrder << "/dev/pts/3";
        QTest::newRow("COM3 on Windows") << "COM3" << PortNaming::Windows << "COM3";
        QTest::newRow("Com3 on Windows") << "Com3" << PortNaming::Windows << "COM3";
    }
    void portForName()
    {
        QFETCH(QString, name);
        QFETCH(PortNaming, naming);
        QFETCH(QString, port);
        QCOMPARE(portFor(name, [] { return QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}; }, naming), port);
    }

    void comNumber_data()
    {
        QTest::addColumn<QString>("systemPort");
        QTest::addColumn<PortNaming>("naming");
        QTest::addColumn<int>("number");
        QTest::newRow("the adapter first") << "/dev/ttyUSB0" << PortNaming::ListOrder << 1;
        QTest::newRow("then the built-in") << "/dev/ttyS0" << PortNaming::ListOrder << 2;
        QTest::newRow("not a port") << "/dev/pts/3" << PortNaming::ListOrder << 0;
        QTest::newRow("COM12") << "COM12" << PortNaming::Windows << 12;
        QTest::newRow("Windows' system location") << "\\\\.\\COM3" << PortNaming::Windows << 3;
    }
    void comNumber()
    {
        QFETCH(QString, systemPort);
        QFETCH(PortNaming, naming);
        QFETCH(int, number);
        QCOMPARE(comNumberOf(systemPort, {"/dev/ttyS0", "/dev/ttyUSB0"}, naming), number);
    }

    void realPortThatCannotBeOpened_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("message");
        QTest::newRow("no device") << QStringList{} << "Cannot open Com1:\nno serial port of this computer has that number.";
        QTest::newRow("missing device") << QStringList{"/nonexistent/ttyUSB7"}
                                        << "Cannot open Com1 (/nonexistent/ttyUSB7):\nthere is no such device. Is the adapter plugged in?";
    }
    void realPortThatCannotBeOpened()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, message);
        TComm comm([ports] { return ports; });
        comm.SetDeviceName("Com1");
        try {
            comm.Open();
            QFAIL("Open did not fail");
        } catch (const PlatformError &e) {
            QCOMPARE(e.message(), message);
        }
        // Nothing is open: closing is harmless and writing fails.
        comm.Close();
        QVERIFY(!comm.Write("abc", 3));
    }
};

QTEST_GUILESS_MAIN(TestDeviceName)
#include "tst_device_name.moc"
