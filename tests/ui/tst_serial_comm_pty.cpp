// The real serial line over a pseudo-terminal pair: the program writes to
// the slave, the test reads what arrives at the master.
#include "break_recorder.h"
#include "core/curve_file.h"
#include "core/download_frame.h"
#include "form_fixture.h"
#include "pty_pair.h"
#include "sample_curves.h"
#include "serial/download_session.h"
#include "serial/serial_comm.h"
#include "ui/main_window.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTest>
#include <termios.h>

using namespace std::chrono;

class TestSerialCommPty : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(pty_.isValid(), "no pseudo-terminal");
        BreakRecorder::clear();
        pty_.forget();
    }

    void everyByteArrivesInOrder_data()
    {
        QTest::addColumn<bool>("versionFlag");
        QTest::newRow("381 bytes") << false;
        QTest::newRow("384 bytes") << true;
    }
    void everyByteArrivesInOrder()
    {
        QFETCH(bool, versionFlag);
        TComm comm([this] { return QStringList{pty_.slavePath()}; });
        comm.SetDeviceName("Com1");
        comm.Open();
        QVERIFY(comm.SetBREAKState(true));
        QVERIFY(comm.SetBREAKState(false));
        for (const char value : BuildDownloadFrame(exampleDownloadCurve(), versionFlag))
            QVERIFY(comm.Write(valueGroup(value).constData(), kGroupBytes));
        comm.Close();
        const QByteArray expected = exampleDownloadLine(versionFlag);
        QCOMPARE(pty_.waitForBytes(expected.size(), 2000), expected);

        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::requests();
        QCOMPARE(breaks.size(), 2u);
        QVERIFY(breaks[0].on && !breaks[1].on);
    }

    void lineIs2400Baud8N1()
    {
        TComm comm([this] { return QStringList{pty_.slavePath()}; });
        comm.SetDeviceName("Com1");
        comm.Open();
        termios line{};
        QCOMPARE(tcgetattr(pty_.slaveFd(), &line), 0);
        comm.Close();
        QCOMPARE(cfgetospeed(&line), speed_t(B2400));
        QCOMPARE(line.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(line.c_iflag & (IXON | IXOFF), tcflag_t(0));
    }

    void staleInputCanBeEmptied()
    {
        const QByteArray stale(3000, 'z');
        QVERIFY(pty_.sendToSlave(stale));
        TComm comm([this] { return QStringList{pty_.slavePath()}; });
        comm.SetDeviceName("Com1");
        comm.Open();
        char scratch[4096];
        qint64 taken = 0;
        // The system hands the bytes over in pieces.
        QTRY_VERIFY([&] {
            while (comm.InQueCount() > 0)
                taken += comm.Read(scratch, sizeof scratch);
            return taken == stale.size();
        }());
        comm.Close();
    }

    // The whole road: the window, the real line, the pty.
    void downloadFromTheWindow()
    {
        FormFixture f;
        TComm comm([this] { return QStringList{pty_.slavePath()}; });
        f.serialLine = &comm;
        f.writeFile("c.igc", writeCurveFile(exampleDownloadCurve()));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n0\r\n").toLatin1());
        TForm1 &form = f.start();
        // A real event loop: QTest::qWait sleeps in steps that would delay the timer.
        QSignalSpy finished(&form.downloadSession(), &DownloadSession::finished);
        form.LetoltBtn->click();
        QVERIFY(finished.wait(5000));
        QCOMPARE(f.prompts.log, QStringList{QStringLiteral("message: A letöltés befejezve!")});

        const QByteArray expected = exampleDownloadLine(false);
        QCOMPARE(pty_.waitForBytes(expected.size(), 2000), expected);
        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::requests();
        QCOMPARE(breaks.size(), 2u);
        // What the module needs: a BREAK never short (a longer one is still
        // one to it), and the frame right after it.
        const double hold = duration<double, std::milli>(breaks[1].at - breaks[0].at).count();
        QVERIFY2(hold >= 500 && hold < 600, qPrintable(QString::number(hold) + " ms"));
        const auto firstByte = duration<double, std::milli>(*pty_.firstByteTime() - breaks[1].at).count();
        QVERIFY2(firstByte >= 0 && firstByte < 20, qPrintable(QString::number(firstByte) + " ms"));
    }

private:
    PtyPair pty_;
};

QTEST_MAIN(TestSerialCommPty)
#include "tst_serial_comm_pty.moc"
