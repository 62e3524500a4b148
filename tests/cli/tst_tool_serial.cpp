// igctool's download and wake pulse over a pseudo-terminal pair given as a
// device path, its BREAKs logged from inside the process.
#include "break_recorder.h"
#include "core/curve_file.h"
#include "pty_pair.h"
#include "sample_curves.h"
#include "serial/port_lock.h"
#include "tool_run.h"

#include <QCryptographicHash>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <limits>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono;

namespace {

double ms(steady_clock::duration d)
{
    return duration<double, std::milli>(d).count();
}

const QByteArray kIncomplete = "The module may hold an incomplete curve: download again!";

// The slave held open by the test, as another program would hold the port.
struct Holder {
    explicit Holder(const QString &path) : fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY)) {}
    ~Holder() { ::close(fd); }
    const int fd;
};

} // namespace

class TestToolSerial : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // igctool refuses a port that another process, this test too, holds.
        pty_.closeSlave();
    }

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
        writeCurve({versionFlag ? "version=8,3" : "version=0"});
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

    // The receipt for a script: one JSON object, the port taken from
    // IGC_PORT.
    void jsonReceipt()
    {
        writeCurve({"version=8,3"});
        QProcessEnvironment environment;
        environment.insert("IGC_PORT", pty_.slavePath());
        const ToolRun run = runTool({"download", "c.igc", "--json"}, dir_.path(), environment);
        QCOMPARE(run.status, 0);
        const QByteArray line = exampleDownloadLine(true);
        QCOMPARE(pty_.waitForBytes(line.size(), 2000), line);
        const QJsonObject receipt = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(receipt.value("device").toString(), pty_.slavePath());
        QCOMPARE(receipt.value("bytes").toInt(), 384);
        QCOMPARE(receipt.value("versionFlag").toBool(), true);
        QCOMPARE(receipt.value("sha256").toString(), QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex());
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

    // Only what is known to be on the line counts; no receipt after a failure.
    void lineFailures_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("output"); // where stdout goes; a pipe when empty
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        QTest::newRow("a write fails") << QStringList{"IGC_FAIL_WRITE_AFTER=150"} << "" << 4
                                       << "the line failed (write: Input/output error); 50 of 127 values";
        QTest::newRow("the drain fails") << QStringList{"IGC_FAIL_DRAIN=1"} << "" << 4 << "the line failed (drain: Input/output error)";
        QTest::newRow("the receipt meets a full disk") << QStringList{} << "/dev/full" << 5 << "cannot write to standard output";
    }
    void lineFailures()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, output);
        QFETCH(int, status);
        QFETCH(QString, says);
        writeCurve();
        const ToolRun run = runTool({"download", "c.igc", "--port", pty_.slavePath()}, dir_.path(),
                                    ToolSetup{withLineFaults(breakLogging(log()), faults), output, {}, 0, {}});
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromUtf8(run.err).contains(says), run.err.constData());
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err.contains(kIncomplete), status == 4);
        QVERIFY(!BreakRecorder::readLog(qPrintable(log())).back().on);
    }

    // Ctrl-C and SIGTERM end the BREAK, put the line's settings back and
    // remove the lock before igctool ends.
    void interrupted_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("midFrame"); // else during the BREAK
        QTest::addColumn<int>("status");
        QTest::newRow("Ctrl-C in the BREAK") << SIGINT << false << 130;
        QTest::newRow("Ctrl-C mid-frame") << SIGINT << true << 130;
        QTest::newRow("SIGTERM mid-frame") << SIGTERM << true << 143;
    }
    void interrupted()
    {
        QFETCH(int, signal);
        QFETCH(bool, midFrame);
        QFETCH(int, status);
        writeCurve();
        // Held by the test (so --force), its settings outlive igctool.
        const Holder held(pty_.slavePath());
        termios before{};
        QCOMPARE(tcgetattr(held.fd, &before), 0);
        const QString lock = portLockPath(pty_.slavePath());
        const ToolRun run = runTool({"download", "c.igc", "--port", pty_.slavePath(), "--force"}, dir_.path(),
            ToolSetup{withLineFaults(breakLogging(log()), {"IGC_SLOW_WRITE_MS=5"}), {}, {}, 0, [&](qint64 pid) {
                QTRY_VERIFY_WITH_TIMEOUT(midFrame ? pty_.waitForBytes(30, 10).size() >= 30
                                                  : !BreakRecorder::readLog(qPrintable(log())).empty(), 3000);
                QVERIFY(QFile::exists(lock));
                ::kill(pid_t(pid), signal);
            }});
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(kIncomplete), run.err.constData());
        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::readLog(qPrintable(log()));
        QCOMPARE(breaks.size(), 2u);
        QVERIFY(breaks[0].on && !breaks[1].on);
        QVERIFY(pty_.waitForBytes(381, 100).size() < 381);
        QVERIFY(!QFile::exists(lock));
        termios after{};
        QCOMPARE(tcgetattr(held.fd, &after), 0);
        QCOMPARE(cfgetospeed(&after), cfgetospeed(&before));
        QCOMPARE(after.c_lflag, before.c_lflag);
    }

    // Another user reaches the program only through folders open to others
    // (not so for a build under root's home).
    static bool othersMayRun(const QString &program)
    {
        for (QFileInfo step(program); !step.isRoot(); step = QFileInfo(step.absolutePath()))
            if (!(step.permissions() & QFile::ExeOther))
                return false;
        return true;
    }

    // Never a lock whose process runs, whatever its form; a dead one's lock
    // goes where this user may remove it, else igctool says how.
    void locks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<unsigned>("user");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        const qint64 self = QCoreApplication::applicationPid();
        const qint64 dead = std::numeric_limits<qint32>::max(); // beyond any pid_max
        QTest::newRow("a running program's classic lock") << QByteArray::number(self).rightJustified(10) + '\n' << 0u << 3
                                                          << QStringLiteral("(process %1) (lock file").arg(self);
        QTest::newRow("a dead program's lock") << QByteArray::number(dead).rightJustified(10) + '\n' << 0u << 0 << "";
        QTest::newRow("root's dead lock in the sticky folder") << QByteArray::number(dead) + "\nminicom\nhost\n" << 65534u << 3
                                                               << "(owned by root), and this user may not remove it";
    }
    void locks()
    {
        QFETCH(QByteArray, content);
        QFETCH(unsigned, user);
        QFETCH(int, status);
        QFETCH(QString, says);
        if (::geteuid() != 0)
            QSKIP("the test makes locks in the system's folder as root");
        writeCurve();
        const QString lock = portLockPath(pty_.slavePath());
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (user != 0) {
            if (!othersMayRun(QStringLiteral(IGCTOOL_PATH)))
                QSKIP("a folder above the built igctool is closed to other users");
            QVERIFY(::chmod(QFile::encodeName(pty_.slavePath()).constData(), 0666) == 0);
            QVERIFY(QFile::setPermissions(dir_.path(), QFile::permissions(dir_.path()) | QFile::ReadOther | QFile::ExeOther));
        }
        const ToolRun run = runTool({"download", "c.igc", "--port", pty_.slavePath()}, dir_.path(), ToolSetup{{}, {}, {}, user, {}});
        const QByteArray left = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
        QFile::remove(lock);
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromUtf8(run.err).contains(says), run.err.constData());
        QCOMPARE(left, status == 0 ? QByteArray("<none>") : content);
        QCOMPARE(pty_.waitForBytes(381, status == 0 ? 2000 : 100).size(), status == 0 ? 381 : 0);
    }

    // A port another program holds open is not used without a word (the
    // interruptions above use it with --force).
    void portHeldByAnother()
    {
        writeCurve();
        const Holder held(pty_.slavePath());
        const ToolRun run = runTool({"download", "c.igc", "--port", pty_.slavePath()}, dir_.path());
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("it is held open by cli_tst_tool_se (process %1)").arg(QCoreApplication::applicationPid()).toUtf8()),
                 run.err.constData());
        QCOMPARE(pty_.waitForBytes(1, 100), QByteArray());
    }

    // On a terminal the bar shows the BREAK, then the bytes known on the
    // line, redrawn in place within the terminal's width; full only when
    // every byte is out.
    void progressBar_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("last");
        QTest::newRow("80 columns") << 80 << QStringList{} << "100%  381/381 bytes";
        QTest::newRow("30 columns, the drain fails") << 30 << QStringList{"IGC_FAIL_DRAIN=1"} << "bytes  failed";
    }
    void progressBar()
    {
        QFETCH(int, columns);
        QFETCH(QStringList, faults);
        QFETCH(QString, last);
        writeCurve();
        PtyPair terminal;
        const winsize size{24, static_cast<unsigned short>(columns), 0, 0};
        QCOMPARE(::ioctl(terminal.slaveFd(), TIOCSWINSZ, &size), 0);
        const ToolRun run = runTool({"download", "c.igc", "--port", pty_.slavePath()}, dir_.path(),
                                    ToolSetup{withLineFaults({}, faults), {}, terminal.slavePath(), 0, {}});
        QCOMPARE(run.status, faults.isEmpty() ? 0 : 4);
        QByteArray shown;
        QTRY_VERIFY((shown = terminal.waitForBytes(1, 10)).contains('\n'));
        const QList<QByteArray> frames = shown.left(shown.indexOf('\n')).replace("\x1b[K", "").split('\r').mid(1);
        QVERIFY2(frames.first().contains("BREAK"), shown.constData());
        for (const QByteArray &frame : frames) {
            QVERIFY2(QString::fromUtf8(frame).size() < columns, frame.constData());
            QCOMPARE(frame.contains("100%"), frame == frames.last() && faults.isEmpty());
        }
        QVERIFY2(frames.last().endsWith(last.toUtf8()), frames.last().constData());
    }

private:
    QString log() const { return dir_.filePath("breaks.log"); }
    void writeCurve(const QStringList &changes = {}) const
    {
        QFile curve(dir_.filePath("c.igc"));
        QVERIFY(curve.open(QIODevice::WriteOnly));
        curve.write(writeCurveFile(exampleCurveWith(changes)));
    }

    PtyPair pty_;
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestToolSerial)
#include "tst_tool_serial.moc"
