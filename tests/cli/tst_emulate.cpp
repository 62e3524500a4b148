// igctool emulate, the module on the desk, receiving what the window and
// igctool download send over its pseudo-terminal, and frames made by hand.
#include "core/curve_file.h"
#include "core/download_frame.h"
#include "form_fixture.h"
#include "pty_pair.h"
#include "serial/download_session.h"
#include "serial/port_doctor.h"
#include "serial/serial_comm.h"
#include "tool_run.h"
#include "ui/main_window.h"
#include "user_input.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {

// igctool emulate running beside the test.
class Emulator {
public:
    Emulator(const QString &folder, const QStringList &arguments)
    {
        process_.setWorkingDirectory(folder);
        process_.start(QStringLiteral(IGCTOOL_PATH), QStringList{"emulate"} + arguments);
    }
    ~Emulator()
    {
        process_.kill();
        process_.waitForFinished();
    }
    // The first line, taken away: the device a download opens.
    QString path()
    {
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    bool running() const { return process_.state() != QProcess::NotRunning; }
    void interrupt() { process_.terminate(); }
    ToolRun finish()
    {
        process_.waitForFinished(10000);
        return {process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1,
                process_.readAllStandardOutput(), process_.readAllStandardError()};
    }

private:
    QProcess process_;
};

// Bytes sent as a download sends its frame: BREAK held 500 ms, then the bytes.
void sendAsADownload(const QString &device, const QByteArray &bytes)
{
    TComm comm;
    comm.SetDeviceName(device);
    comm.Open();
    QVERIFY(comm.SetBREAKState(true));
    std::this_thread::sleep_for(std::chrono::milliseconds(kDownloadBreakMs));
    comm.SetBREAKState(false);
    QVERIFY(comm.Write(bytes.constData(), bytes.size()));
    comm.Close();
}

} // namespace

class TestEmulate : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void expectations_data()
    {
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("the same curve") << QStringList{"version=8,3"} << QStringList{"version=8,3"} << 0 << QString();
        QTest::newRow("another curve") << QStringList{"advance12=20,5"} << QStringList{"advance12=21"} << 1
                                       << "igctool: refused: expected.igc: row 12 advance: received 20,5°, file says 21°\n";
    }
    // The window's download, its button clicked, over the emulator's
    // pseudo-terminal: the window's port list never shows one, so its line
    // is directed there as the window's line tests do.
    void fromTheWindow_data() { expectations_data(); }
    void fromTheWindow()
    {
        QFETCH(QStringList, sent);
        QFETCH(QStringList, expected);
        QFETCH(int, status);
        QFETCH(QString, complaint);
        FormFixture f;
        f.writeFile("expected.igc", writeCurveFile(exampleCurveWith(expected)));
        f.writeFile("c.igc", writeCurveFile(exampleCurveWith(sent)));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n0\r\n").toLocal8Bit());
        Emulator emulator(f.path(""), {"--once", "--expect", "expected.igc"});
        const QString pty = emulator.path();
        TComm comm([pty] { return QStringList{pty}; });
        f.serialLine = &comm;
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        f.prompts.fileAnswers.push_back(f.path("c.igc"));
        form.LoadBtn->click();
        f.prompts.log.clear();
        QTest::mouseClick(form.LetoltBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!emulator.running(), 10000);
        QCOMPARE(f.prompts.log, QStringList{"message: " + form.textSlots().MsgDownloadDone});
        const ToolRun run = emulator.finish();
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(run.err), complaint);
    }

    // --out writes what came: its frame is the one sent, and with the curve
    // that was meant its texts are that curve's.
    void fromIgctool_data() { expectations_data(); }
    void fromIgctool()
    {
        QFETCH(QStringList, sent);
        QFETCH(QStringList, expected);
        QFETCH(int, status);
        QFETCH(QString, complaint);
        const QByteArray expectedFile = writeCurve("expected.igc", expected);
        writeCurve("c.igc", sent);
        Emulator emulator(dir_.path(), {"--once", "--expect", "expected.igc", "--out", "out.igc"});
        QCOMPARE(runTool({"download", "c.igc", "--port", emulator.path()}, dir_.path()).status, 0);
        const ToolRun run = emulator.finish();
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(run.err), complaint);
        QVERIFY(run.out.contains("(a pseudo-terminal carries no BREAK)"));
        QCOMPARE(runTool({"frame", "out.igc", "--raw"}, dir_.path()).out, runTool({"frame", "c.igc", "--raw"}, dir_.path()).out);
        QFile out(dir_.filePath("out.igc"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll() == expectedFile, status == 0);
    }

    // One emulator for them all, ended by a signal: each download is one
    // JSON line, and a refusal makes the exit status 1.
    void faultyFramesAreRefusedWithTheirPlace()
    {
        Emulator emulator(dir_.path(), {"--json"});
        const QString pty = emulator.path();
        const QByteArray line = exampleDownloadLine(false);
        QByteArray shifted = line;
        std::swap(shifted[63 * kGroupBytes], shifted[64 * kGroupBytes]);
        QByteArray fillerLost = exampleDownloadLine(true);
        fillerLost[65 * kGroupBytes] = 20;
        fillerLost.remove(65 * kGroupBytes + 1, 1);
        const QStringList refusals = {"value 66: 255 filler missing after 20", "126 values: one short",
                                      "value 64: 7 where the fixed value 12 belongs", "3 bytes after the frame of 127 values"};
        for (const QByteArray &bytes : {fillerLost, line.chopped(kGroupBytes), shifted, line + valueGroup(12)})
            sendAsADownload(pty, bytes);
        emulator.interrupt();
        const ToolRun run = emulator.finish();
        QCOMPARE(run.status, 1);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), refusals.size());
        for (qsizetype i = 0; i < refusals.size(); ++i)
            QCOMPARE(QJsonDocument::fromJson(lines[i]).object().value("refused").toString(), refusals[i]);
    }

    // The other end is never held open, so a download's look for other
    // holders does not see the emulator; the link goes when it ends.
    void linkAndNoHolder()
    {
        const QString link = dir_.filePath("module");
        Emulator emulator(dir_.path(), {"--link", link});
        const QString pty = emulator.path();
        QCOMPARE(QFileInfo(link).symLinkTarget(), pty);
        QCOMPARE(portHolders("/proc", pty, QCoreApplication::applicationPid()), QList<PortHolder>{});
        emulator.interrupt();
        const ToolRun run = emulator.finish();
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, "igctool: no download came\n");
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // A serial port marks a BREAK with 255 0 0 and so doubles every 255;
    // the pair's slave stands in for the port and doubles them too.
    void aSerialPortDoublesEvery255()
    {
        PtyPair pair;
        QVERIFY(pair.isValid());
        writeCurve("c.igc", {});
        Emulator emulator(dir_.path(), {"--port", pair.slavePath(), "--once", "--expect", "c.igc"});
        QCOMPARE(emulator.path(), pair.slavePath());
        // The silence a download's BREAK gives: the pair carries no BREAK.
        std::this_thread::sleep_for(std::chrono::milliseconds(kDownloadBreakMs));
        QVERIFY(pair.sendToSlave(exampleDownloadLine(false)));
        const ToolRun run = emulator.finish();
        QCOMPARE(run.err, "");
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("(no BREAK seen)"));
    }

private:
    QByteArray writeCurve(const QString &name, const QStringList &changes)
    {
        const QByteArray bytes = writeCurveFile(exampleCurveWith(changes));
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return bytes;
    }

    QTemporaryDir dir_;
};

QTEST_MAIN(TestEmulate)
#include "tst_emulate.moc"
