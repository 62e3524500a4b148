#include "core/curve_file.h"
#include "form_fixture.h"
#include "sample_curves.h"
#include "serial/device_name.h"
#include "serial/download_session.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>
#include <thread>

namespace {

constexpr qint64 kMs = 1000000;

// What the module needs, in nanoseconds: a BREAK never shorter than asked
// for, the frame right after it. A longer BREAK is still one to the module,
// so the upper bounds catch a timer that is plainly wrong, not a busy
// machine (a wake pulse of 1518.9 ms failed a 1505 ms bound once).
struct Bounds {
    qint64 low, high;
};
constexpr Bounds kDownloadBreak{500 * kMs, 600 * kMs};
constexpr Bounds kWakePulse{1500 * kMs, 1700 * kMs};
constexpr qint64 kFrameFollows = 20 * kMs;

const QString kDone = QStringLiteral("message: A letöltés befejezve!");
const QString kIncomplete = QStringLiteral("message: A modulban hiányos görbe lehet: töltse le újra!");
const QString kTableError = QStringLiteral("message: Hiba az adattáblán, vagy a paraméterek között!\n Kérem ellenőrizze az adatokat!");

// The window with the example curve loaded (so the download button is
// enabled), port 1, and nothing recorded yet.
TForm1 &startWithExample(FormFixture &f)
{
    f.writeFile("c.igc", writeCurveFile(exampleDownloadCurve()));
    f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n0\r\n").toLatin1());
    TForm1 &form = f.start();
    f.prompts.log.clear();
    f.comm.calls.clear();
    return form;
}

QStringList times(const QString &name, int n)
{
    return QStringList(n, name);
}

const QStringList kDownloadStart = {"Open", "InQueCount", "SetBREAKState(true)"};

QStringList downloadCalls(int groups)
{
    return kDownloadStart + QStringList{"SetBREAKState(false)"} + times("Write", groups) + QStringList{"Drain", "Close"};
}

// Lets the download that runs end: the session reports through the event loop.
bool downloadEnds(TForm1 &form)
{
    QSignalSpy released(&form.downloadSession(), &DownloadSession::released);
    return !form.downloadSession().holdsPort() || released.wait(5000);
}

} // namespace

class TestDownloadCommands : public QObject {
    Q_OBJECT

private slots:
    void portChoice_data()
    {
        QTest::addColumn<QByteArray>("settings"); // "<missing>" or the lines
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("deviceName");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("one line gains the port") << QByteArray("a.igc\r\n") << 6 << "Com7" << QByteArray("a.igc\r\n7\r\n");
        QTest::newRow("four lines, line 2 replaced") << QByteArray("a.igc\r\n3\r\n1\r\n8,3\r\n") << 6 << "Com7"
                                                     << QByteArray("a.igc\r\n7\r\n1\r\n8,3\r\n");
        QTest::newRow("empty file stays empty") << QByteArray() << 6 << "Com7" << QByteArray();
        QTest::newRow("missing file stays missing") << QByteArray("<missing>") << 15 << "Com16" << QByteArray("<missing>");
        QTest::newRow("no choice") << QByteArray("a.igc\r\n3\r\n") << -1 << "Com" << QByteArray("a.igc\r\n\r\n");
    }
    void portChoice()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, index);
        QFETCH(QString, deviceName);
        QFETCH(QByteArray, stored);
        FormFixture f;
        f.writeSettings(settings);
        TForm1 &form = f.start();
        f.prompts.log.clear();
        form.ComBtn->click();
        QVERIFY(form.Panel5->isVisibleTo(&form));
        form.ComboBox2->setCurrentIndex(index);
        form.ComOkBtn->click();

        QCOMPARE(form.ComBtn->text(), deviceName);
        QCOMPARE(form.deviceName(), deviceName);
        QCOMPARE(f.comm.names().last(), "SetDeviceName(" + deviceName + ")");
        QVERIFY(form.Panel5->isHidden());
        QCOMPARE(f.readFile("Edit.txt"), stored);
        QVERIFY(f.prompts.log.isEmpty());
    }

    void startUpNamesThePort()
    {
        FormFixture f;
        f.writeSettings("a.igc\r\n5\r\n");
        f.start();
        QCOMPARE(f.comm.names(), QStringList{"SetDeviceName(Com5)"});
    }

    void panelShowsTheDevice_data()
    {
        QTest::addColumn<int>("index");
        const QStringList ports = orderSerialPorts(availableSerialPorts());
        QTest::newRow("port 1") << 0;
        if (ports.size() < 16)
            QTest::newRow("a port the computer lacks") << 15;
    }
    void panelShowsTheDevice()
    {
        QFETCH(int, index);
        FormFixture f;
        TForm1 &form = f.start();
        form.ComBtn->click();
        form.ComboBox2->setCurrentIndex(index);
#ifdef Q_OS_WIN
        // Windows names the port by its number alone.
        const QString device = systemPortFor(QStringLiteral("Com%1").arg(index + 1), {}, PortNaming::Windows);
#else
        const QString device = orderSerialPorts(availableSerialPorts()).value(index);
#endif
        QCOMPARE(form.PortDeviceLabel->toolTip(), device);
        if (device.isEmpty())
            QCOMPARE(form.PortDeviceLabel->text(), QStringLiteral("–"));
        else
            QVERIFY(device.endsWith(QString(form.PortDeviceLabel->text()).remove(QChar(0x2026))));
        // The hint sits between the list and OK.
        QVERIFY(form.PortDeviceLabel->geometry().left() > form.ComboBox2->geometry().right());
        QVERIFY(form.PortDeviceLabel->geometry().right() < form.ComOkBtn->geometry().left());
    }

    void refusedDownload_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("speed 599") << 1 << 10 << "599";
        QTest::newRow("advance 64") << 2 << 60 << "64";
        QTest::newRow("pattern of seven") << 3 << 1 << "0000000";
        QTest::newRow("shift light 599") << 0 << 1 << "599";
        QTest::newRow("no cylinders") << 0 << 0 << "";
    }
    void refusedDownload()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, text);
        FormFixture f;
        TForm1 &form = startWithExample(f);
        if (column > 0)
            form.StringGrid1->setCell(column, row, text);
        else if (row == 1)
            form.Edit1->setText(text);
        else
            form.ComboBox1->setCurrentIndex(-1);
        form.LetoltBtn->click();
        QCOMPARE(f.prompts.log, QStringList{kTableError});
        QVERIFY(f.comm.calls.isEmpty());
        QVERIFY(!form.Timer1->isActive());
    }

    void downloadSendsTheFrameAfterTheBreak()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        // A real event loop: QTest::qWait sleeps in steps that would delay the timer.
        QSignalSpy finished(&form.downloadSession(), &DownloadSession::finished);
        form.LetoltBtn->click();
        QCOMPARE(f.comm.names(), kDownloadStart);
        QVERIFY(form.Timer1->isActive());
        QVERIFY(f.prompts.log.isEmpty());
        QVERIFY(finished.wait(3000));
        const qint64 hold = f.comm.timeOf("SetBREAKState(false)") - f.comm.timeOf("SetBREAKState(true)");
        QVERIFY2(hold >= kDownloadBreak.low && hold < kDownloadBreak.high, qPrintable(QString::number(hold / 1e6) + " ms"));

        QCOMPARE(f.prompts.log, QStringList{kDone});
        QCOMPARE(f.comm.names(), downloadCalls(127));
        QCOMPARE(f.comm.written(), exampleDownloadLine(false));
        QCOMPARE(f.comm.written().left(12), QByteArray("\x83\xff\xff\x27\xff\xff\x35\xff\xff\x14\xff\xff"));
        const qint64 gap = f.comm.timeOf("Write") - f.comm.timeOf("SetBREAKState(false)");
        QVERIFY2(gap < kFrameFollows, qPrintable(QString::number(gap / 1e6) + " ms"));
        QVERIFY(!f.comm.isOpen);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!form.Timer1->isActive());
    }

    // While the bytes leave, the event loop runs: the window repaints, and
    // the mouse pointer waits until the port is released.
    void windowStaysResponsiveWhileSending()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        f.comm.onDrain = [] { std::this_thread::sleep_for(std::chrono::milliseconds(300)); };
        QSignalSpy finished(&form.downloadSession(), &DownloadSession::finished);
        form.LetoltBtn->click();
        form.Timer1Timer();
        bool served = false;
        QTimer::singleShot(50, [&] {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            served = finished.isEmpty() && cursor && cursor->shape() == Qt::WaitCursor;
        });
        QVERIFY(finished.wait(3000));
        QVERIFY(served);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void downloadWithVersionFlag()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        form.EditVerzio->setText("8,3");
        QVERIFY(form.versionFlag());
        form.CBZaraskorrekcio->setCurrentText("2");
        form.CBTransparencia->setCurrentText("5");
        form.LetoltBtn->click();
        form.Timer1Timer();
        QVERIFY(downloadEnds(form));
        QCOMPARE(f.comm.names(), downloadCalls(128));
        QCOMPARE(f.comm.written(), exampleDownloadLine(true));
        QCOMPARE(f.prompts.log, QStringList{kDone});
    }

    void staleInputIsDiscarded_data()
    {
        QTest::addColumn<qint64>("backlog");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("none") << qint64(0) << QStringList{"InQueCount"};
        QTest::newRow("10 bytes") << qint64(10) << QStringList{"InQueCount", "InQueCount", "Read(10)", "InQueCount"};
        QTest::newRow("4096 bytes") << qint64(4096) << QStringList{"InQueCount", "InQueCount", "Read(4096)", "InQueCount"};
        QTest::newRow("5000 bytes, 4096 at a time")
            << qint64(5000)
            << QStringList{"InQueCount", "InQueCount", "Read(4096)", "InQueCount", "InQueCount", "Read(904)", "InQueCount"};
    }
    void staleInputIsDiscarded()
    {
        QFETCH(qint64, backlog);
        QFETCH(QStringList, calls);
        FormFixture f;
        TForm1 &form = startWithExample(f);
        f.comm.backlog = backlog;
        form.LetoltBtn->click();
        QCOMPARE(f.comm.names(), QStringList{"Open"} + calls + QStringList{"SetBREAKState(true)"});
        QCOMPARE(f.comm.backlog, 0);
        form.Timer1Timer();
        QVERIFY(downloadEnds(form));
        QCOMPARE(f.prompts.log, QStringList{kDone});
    }

    // Only values known to be on the line count; the module may hold part
    // of a curve, and the window says so.
    void failedLine_data()
    {
        QTest::addColumn<QSet<int>>("failingWrites");
        QTest::addColumn<bool>("drainFails");
        QTest::addColumn<qint64>("held"); // bytes the system still holds once the line failed
        QTest::addColumn<int>("writes");
        QTest::addColumn<QString>("count");
        QTest::newRow("write 51 fails") << QSet<int>{50} << false << qint64(0) << 51 << "50";
        QTest::newRow("last write fails, 9 bytes held") << QSet<int>{126} << false << qint64(9) << 127 << "123";
        QTest::newRow("drain fails, 7 bytes held") << QSet<int>{} << true << qint64(7) << 127 << "124";
    }
    void failedLine()
    {
        QFETCH(QSet<int>, failingWrites);
        QFETCH(bool, drainFails);
        QFETCH(qint64, held);
        QFETCH(int, writes);
        QFETCH(QString, count);
        FormFixture f;
        TForm1 &form = startWithExample(f);
        f.comm.failingWrites = failingWrites;
        f.comm.drainFails = drainFails;
        f.comm.heldAfterFailure = held;
        form.LetoltBtn->click();
        form.Timer1Timer();
        QVERIFY(downloadEnds(form));
        QCOMPARE(f.comm.names().count("Write"), writes);
        QCOMPARE(f.comm.names().mid(f.comm.names().size() - 2), (QStringList{"Discard", "Close"}));
        QCOMPARE(f.prompts.log, (QStringList{"message: Hiba a letöltésben!  " + count, kIncomplete}));
        QVERIFY(!f.comm.isOpen);
    }

    void tableEditedDuringTheBreak()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        form.LetoltBtn->click();
        form.StringGrid1->setCell(2, 30, "70");
        form.Timer1Timer();
        QVERIFY(downloadEnds(form));
        QCOMPARE(f.comm.names(), kDownloadStart + QStringList({"SetBREAKState(false)", "Drain", "Close"}));
        QCOMPARE(f.prompts.log, QStringList{kTableError});
    }

    void portThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("download") << "LetoltBtn";
        QTest::newRow("wake pulse") << "BitBtn1";
    }
    void portThatCannotBeOpened()
    {
        QFETCH(QString, button);
        FormFixture f;
        TForm1 &form = startWithExample(f);
        f.comm.openFailure = "Cannot open Com1 (/dev/ttyUSB0):\nPermission denied";
        form.findChild<QPushButton *>(button)->click();
        QCOMPARE(f.prompts.log, QStringList{"error: Cannot open Com1 (/dev/ttyUSB0):\nPermission denied"});
        QCOMPARE(f.comm.names(), QStringList{"Open"});
        QVERIFY(!form.Timer1->isActive() && !form.Timer2->isActive());
        // The next press tries again.
        f.comm.openFailure.reset();
        form.findChild<QPushButton *>(button)->click();
        QCOMPARE(f.comm.names().count("Open"), 2);
    }

    // The port's diagnosis reaches the error box in the window's language.
    void portDiagnosisInTheWindowsLanguage()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        const PortDiagnosis busy{"Com1", "/dev/ttyUSB0", PortVerdict::Busy, "dialout", {{812, "ModemManager"}}, ""};
        f.comm.openDiagnosis = busy;
        form.LetoltBtn->click();
        form.BtnNyelv->click();
        form.BitBtn1->click();
        QCOMPARE(f.prompts.log,
                 (QStringList{"error: Nem nyitható meg a(z) Com1 port (/dev/ttyUSB0):\nfoglalja: ModemManager (812. folyamat). "
                              "Zárja be azt a programot (vagy állítsa le a szolgáltatást), majd próbálja újra.",
                              "error: Cannot open Com1 (/dev/ttyUSB0):\nit is held open by ModemManager (process 812). "
                              "Close that program (or stop the service), then try again."}));
        QVERIFY(!form.Timer1->isActive() && !form.Timer2->isActive());
    }

    void wakePulseHoldsTheBreak()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        QSignalSpy pulseEnds(form.Timer2, &QTimer::timeout);
        form.BitBtn1->click();
        QCOMPARE(f.comm.names(), (QStringList{"Open", "SetBREAKState(true)"}));
        QVERIFY(form.Timer2->isActive());
        QVERIFY(pulseEnds.wait(3000));
        const qint64 hold = f.comm.timeOf("SetBREAKState(false)") - f.comm.timeOf("SetBREAKState(true)");
        QVERIFY2(hold >= kWakePulse.low && hold < kWakePulse.high, qPrintable(QString::number(hold / 1e6) + " ms"));
        QCOMPARE(f.comm.names(), (QStringList{"Open", "SetBREAKState(true)", "SetBREAKState(false)", "Close"}));
        QVERIFY(!form.Timer2->isActive());
        QVERIFY(f.prompts.log.isEmpty());
    }

    void pressesWhileThePortIsHeldAreIgnored()
    {
        FormFixture f;
        TForm1 &form = startWithExample(f);
        form.LetoltBtn->click();
        form.LetoltBtn->click();
        form.BitBtn1->click();
        QCOMPARE(f.comm.names(), kDownloadStart);
        form.Timer1Timer();
        form.LetoltBtn->click();
        QVERIFY(downloadEnds(form));
        QCOMPARE(f.comm.names(), downloadCalls(127));

        f.comm.calls.clear();
        form.BitBtn1->click();
        form.BitBtn1->click();
        form.LetoltBtn->click();
        QCOMPARE(f.comm.names(), (QStringList{"Open", "SetBREAKState(true)"}));
        form.Timer2Timer();
        QCOMPARE(f.comm.names().last(), "Close");
        QVERIFY(!form.Timer2->isActive());
        form.LetoltBtn->click();
        QCOMPARE(f.comm.names().count("Open"), 2);
        form.Timer1Timer();
        QVERIFY(downloadEnds(form));
        QCOMPARE(f.prompts.log, (QStringList{kDone, kDone}));
    }

    // Leaving never cuts the BREAK short nor leaves it on: what runs ends by
    // itself within three seconds, or is ended then.
    void exitWaitsForTheLine_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("lineStops");
        QTest::addColumn<QStringList>("ending"); // the last calls before the exit
        QTest::newRow("download") << "LetoltBtn" << false << QStringList{"Write", "Drain", "Close"};
        QTest::newRow("wake pulse") << "BitBtn1" << false << QStringList{"SetBREAKState(true)", "SetBREAKState(false)", "Close"};
        QTest::newRow("a line that stops sending") << "LetoltBtn" << true << QStringList{"Write", "Discard", "Close"};
    }
    void exitWaitsForTheLine()
    {
        QFETCH(QString, button);
        QFETCH(bool, lineStops);
        QFETCH(QStringList, ending);
        FormFixture f;
        TForm1 &form = startWithExample(f);
        f.comm.stuckBytes = lineStops ? 30 : 0;
        form.findChild<QPushButton *>(button)->click();
        QElapsedTimer clock;
        clock.start();
        form.KilepBtn->click();
        QCOMPARE(f.exits, QList<int>{0});
        QCOMPARE(f.lineAtExit.mid(f.lineAtExit.size() - 3), ending);
        QVERIFY(f.lineAtExit.contains("SetBREAKState(false)"));
        QVERIFY2(clock.elapsed() <= TForm1::kReleaseMs + 300, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(f.prompts.log.isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestDownloadCommands)
#include "tst_download_commands.moc"
