// igctool's download and wake pulse over a pseudo-terminal pair given as a
// device path, its BREAKs logged from inside the process.
#include "break_recorder.h"
#include "core/curve_file.h"
#include "pty_pair.h"
#include "sample_curves.h"
#include "tool_run.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono;

namespace {

double ms(steady_clock::duration d)
{
    return duration<double, std::milli>(d).count();
}

} // namespace

class TestToolSerial : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(pty_.isValid(), "no pseudo-terminal");
        QVERIFY(dir_.isValid());
        pty_.forget();
        QFile::remove(log());
    }

    void download_data()
    {
        QTest::addColumn<bool>("versionFlag");
        QTest::newRow("381 bytes") << false;
        QTest::newRow("384 bytes") << true;
    }
    void download()
    {
        QFETCH(bool, versionFlag);
        QFile curve(dir_.filePath("c.igc"));
        QVERIFY(curve.open(QIODevice::WriteOnly));
        curve.write(writeCurveFile(exampleCurveWith({versionFlag ? "version=8,3" : "version=0"})));
        curve.close();
        const QByteArray expected = exampleDownloadLine(versionFlag);
        const ToolRun run = runTool({"download", "c.igc", "--port", pty_.slavePath()}, dir_.path(), breakLogging(log()));
        QCOMPARE(run.status, 0);
        QCOMPARE(pty_.waitForBytes(expected.size(), 2000), expected);
        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::readLog(qPrintable(log()));
        QCOMPARE(breaks.size(), 2u);
        QVERIFY(breaks[0].on && !breaks[1].on);
        // The bounds of the window's own test: what the module needs, not
        // what an idle machine gives.
        const double hold = ms(breaks[1].at - breaks[0].at);
        QVERIFY2(hold >= 500 && hold < 600, qPrintable(QString::number(hold) + " ms"));
        const double firstByte = ms(*pty_.firstByteTime() - breaks[1].at);
        QVERIFY2(firstByte >= 0 && firstByte < 20, qPrintable(QString::number(firstByte) + " ms"));

        // The receipt; no progress bar when stderr is no terminal.
        const QString receipt = QString::fromUtf8(run.out);
        QVERIFY2(receipt.contains(QStringLiteral("port     %1\n").arg(pty_.slavePath())), qPrintable(receipt));
        QVERIFY(receipt.contains(QStringLiteral("sent     %1 bytes, %2 values").arg(expected.size()).arg(expected.size() / 3)));
        QVERIFY(receipt.contains(QStringLiteral("version flag %1").arg(int(versionFlag))));
        QVERIFY(receipt.contains(QCryptographicHash::hash(expected, QCryptographicHash::Sha256).toHex()));
        QCOMPARE(run.err, "");
    }

    void wakePulse()
    {
        const ToolRun run = runTool({"wake", "--port", pty_.slavePath()}, dir_.path(), breakLogging(log()));
        QCOMPARE(run.status, 0);
        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::readLog(qPrintable(log()));
        QCOMPARE(breaks.size(), 2u);
        QVERIFY(breaks[0].on && !breaks[1].on);
        const double hold = ms(breaks[1].at - breaks[0].at);
        QVERIFY2(hold >= 1500 && hold < 1700, qPrintable(QString::number(hold) + " ms"));
        // The port was drained and closed before the tool ended: no data.
        QCOMPARE(pty_.waitForBytes(1, 100), QByteArray());
    }

private:
    QString log() const { return dir_.filePath("breaks.log"); }

    PtyPair pty_;
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestToolSerial)
#include "tst_tool_serial.moc"
