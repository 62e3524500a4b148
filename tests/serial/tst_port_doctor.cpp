#include "serial/port_doctor.h"
#include "serial/serial_comm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(DeviceNode)
Q_DECLARE_METATYPE(PortDiagnosis)
Q_DECLARE_METATYPE(PortLock)
Q_DECLARE_METATYPE(PortVerdict)
Q_DECLARE_METATYPE(UserAccess)

namespace {

constexpr unsigned kUser = 1000;
constexpr unsigned kDialout = 20;

// A node owned by root and the dialout group.
DeviceNode node(unsigned mode)
{
    return {true, mode, 0, kDialout, "dialout"};
}

} // namespace

class TestPortDoctor : public QObject {
    Q_OBJECT

private slots:
    void access_data()
    {
        QTest::addColumn<DeviceNode>("device");
        QTest::addColumn<UserAccess>("user");
        QTest::addColumn<PortVerdict>("verdict");
        const UserAccess plain{kUser, {kUser}, {kUser}};
        const UserAccess inDialout{kUser, {kUser, kDialout}, {kUser, kDialout}};
        const UserAccess addedSinceLogin{kUser, {kUser}, {kUser, kDialout}};
        QTest::newRow("in the group") << node(0660) << inDialout << PortVerdict::Usable;
        QTest::newRow("not in the group") << node(0660) << plain << PortVerdict::NeedsGroup;
        QTest::newRow("added since this login") << node(0660) << addedSinceLogin << PortVerdict::NeedsNewLogin;
        QTest::newRow("open to all") << node(0666) << plain << PortVerdict::Usable;
        QTest::newRow("group may only read") << node(0640) << plain << PortVerdict::NoPermission;
        QTest::newRow("in a group that may only read") << node(0646) << inDialout << PortVerdict::NoPermission;
        QTest::newRow("root's alone") << node(0600) << plain << PortVerdict::NoPermission;
        QTest::newRow("root") << node(0600) << UserAccess{0, {0}, {0}} << PortVerdict::Usable;
        QTest::newRow("owner") << DeviceNode{true, 0600, kUser, kDialout, "dialout"} << plain << PortVerdict::Usable;
        QTest::newRow("owner without write") << DeviceNode{true, 0466, kUser, kDialout, "dialout"} << plain
                                             << PortVerdict::NoPermission;
        QTest::newRow("no node") << DeviceNode{} << plain << PortVerdict::Missing;
    }
    void access()
    {
        QFETCH(DeviceNode, device);
        QFETCH(UserAccess, user);
        QFETCH(PortVerdict, verdict);
        QCOMPARE(accessVerdict(device, user), verdict);
    }

    void verdict_data()
    {
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<bool>("held");
        QTest::addColumn<PortLock>("lock");
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<PortVerdict>("verdict");
        const PortLock none;
        const auto lock = [](PortLock::State state, bool removable) { return PortLock{state, "/var/lock/LCK..ttyUSB0", 4711, "minicom", "root", removable}; };
        QTest::newRow("listing, free") << 0666u << false << none << QSerialPort::NoError << PortVerdict::Usable;
        QTest::newRow("listing, held") << 0666u << true << none << QSerialPort::NoError << PortVerdict::Busy;
        QTest::newRow("the group comes first") << 0660u << true << none << QSerialPort::PermissionError << PortVerdict::NeedsGroup;
        QTest::newRow("refused though allowed: held unseen") << 0666u << false << none << QSerialPort::PermissionError
                                                             << PortVerdict::Busy;
        QTest::newRow("gone") << 0666u << false << none << QSerialPort::DeviceNotFoundError << PortVerdict::Missing;
        QTest::newRow("something else") << 0666u << false << none << QSerialPort::OpenError << PortVerdict::Failed;
        // A lock names its program before the group is asked for.
        QTest::newRow("locked by a running program") << 0660u << false << lock(PortLock::State::Live, true)
                                                     << QSerialPort::PermissionError << PortVerdict::Locked;
        QTest::newRow("stale lock it may remove") << 0666u << false << lock(PortLock::State::Stale, true)
                                                  << QSerialPort::NoError << PortVerdict::Usable;
        QTest::newRow("stale lock the sticky bit keeps") << 0666u << false << lock(PortLock::State::Stale, false)
                                                         << QSerialPort::PermissionError << PortVerdict::LockInTheWay;
        QTest::newRow("lock that names no process") << 0666u << false << lock(PortLock::State::Unreadable, true)
                                                    << QSerialPort::NoError << PortVerdict::LockInTheWay;
    }
    void verdict()
    {
        QFETCH(unsigned, mode);
        QFETCH(bool, held);
        QFETCH(PortLock, lock);
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(PortVerdict, verdict);
        const QList<PortHolder> holders = held ? QList<PortHolder>{{812, "ModemManager"}} : QList<PortHolder>{};
        QCOMPARE(portVerdict(node(mode), UserAccess{kUser, {kUser}, {kUser}}, lock, holders, error), verdict);
    }

    // A /proc tree of our own: which processes have the device open.
    void holders()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        const auto process = [&](const QString &pid, const QString &comm, const QStringList &open) {
            dir.mkpath(pid + "/fd");
            if (!comm.isEmpty()) {
                QFile file(dir.filePath(pid + "/comm"));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(comm.toUtf8() + '\n');
            }
            for (qsizetype fd = 0; fd < open.size(); ++fd)
                QVERIFY(QFile::link(open[fd], dir.filePath(QStringLiteral("%1/fd/%2").arg(pid).arg(fd))));
        };
        const QString device = dir.filePath("ttyUSB0");
        QFile(device).open(QIODevice::WriteOnly);
        process("812", "ModemManager", {"socket:[991]", device});
        process("7", "getty", {"/dev/pts/1"});
        process("1000", "", {device});
        process("55", "minicom", {device}); // ourselves
        process("self", "igctool", {device});
        dir.mkpath("99"); // gone while we looked, or closed to us
        QVERIFY(QFile::link(device, dir.filePath("by-id")));

        const QList<PortHolder> expected{{812, "ModemManager"}, {1000, "?"}};
        QCOMPARE(portHolders(root.path(), device, 55), expected);
        QCOMPARE(portHolders(root.path(), dir.filePath("by-id"), 55), expected);
        QCOMPARE(portHolders(root.path(), "/dev/ttyUSB1", 55), QList<PortHolder>{});
    }

    void texts_data()
    {
        QTest::addColumn<PortDiagnosis>("diagnosis");
        QTest::addColumn<QString>("text");
        QTest::newRow("device path") << PortDiagnosis{"/dev/pts/4", "/dev/pts/4", PortVerdict::Failed, "tty", {}, "Input/output error", {}}
            << "Cannot open /dev/pts/4:\nInput/output error";
        QTest::newRow("two holders") << PortDiagnosis{"Com1", "/dev/ttyACM0", PortVerdict::Busy, "dialout",
                                                      {{812, "ModemManager"}, {2040, "minicom"}}, "", {}}
            << "Cannot open Com1 (/dev/ttyACM0):\nit is held open by ModemManager (process 812), minicom (process 2040). "
               "Close that program (or stop the service), then try again.";
    }
    void texts()
    {
        QFETCH(PortDiagnosis, diagnosis);
        QFETCH(QString, text);
        QCOMPARE(portDiagnosisText(diagnosis, englishPortTexts()), text);
    }

    // A device path is opened as it is, and its failure comes as data.
    void pathThatCannotBeOpened()
    {
        TComm comm([] { return QStringList{"/dev/ttyS0"}; });
        comm.SetDeviceName("/nonexistent/ttyUSB7");
        try {
            comm.Open();
            QFAIL("Open did not fail");
        } catch (const PortOpenError &e) {
            QCOMPARE(e.diagnosis().systemPort, "/nonexistent/ttyUSB7");
            QCOMPARE(e.diagnosis().verdict, PortVerdict::Missing);
            QCOMPARE(e.message(), "Cannot open /nonexistent/ttyUSB7:\nthere is no such device. Is the adapter plugged in?");
        }
    }
};

QTEST_GUILESS_MAIN(TestPortDoctor)
#include "tst_port_doctor.moc"
