// igctool as a script runs it: exit statuses, what it prints, and the files
// it writes or leaves alone.
#include "core/curve_csv.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "sample_curves.h"
#include "tool_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

class TestToolCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        write("good.igc", writeCurveFile(sampleCurve()));
        write("bad.igc", writeCurveFile(exampleCurveWith({"version=8,3", "corr=999999999", "advance17=70", "pattern3=0101"})));
        write("other.txt", "igc2\r\n");
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says"); // on stdout or stderr
        QTest::newRow("check passes") << QStringList{"check", "good.igc"} << 0
                                      << "good.igc: ready to download, 128 values with the options value";
        QTest::newRow("check refuses") << QStringList{"check", "bad.igc"} << 1 << "bad.igc: row 17: advance 70";
        QTest::newRow("not a curve file") << QStringList{"show", "other.txt"} << 1 << "other.txt: not a curve file";
        QTest::newRow("no such file") << QStringList{"export", "none.igc"} << 1 << "none.igc";
        QTest::newRow("no command") << QStringList{} << 2 << "which command?";
        QTest::newRow("unknown command") << QStringList{"flash", "good.igc"} << 2 << "no command flash";
        QTest::newRow("missing file") << QStringList{"check"} << 2 << "usage: igctool check CURVE.igc";
        QTest::newRow("unknown option") << QStringList{"frame", "good.igc", "--hex"} << 2 << "Unknown option 'hex'";
        QTest::newRow("no port") << QStringList{"download", "good.igc"} << 2 << "download needs --port";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: igctool COMMAND";
        QTest::newRow("command help") << QStringList{"download", "--help"} << 0
                                      << "Usage: igctool download CURVE.igc --port PORT";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "igctool 1.";
        QTest::newRow("check before the port") << QStringList{"download", "bad.igc", "--port", "/nonexistent/tty"} << 1
                                               << "bad.igc: dwell correction 999999999 is outside 0 – 15";
#ifdef Q_OS_WIN
        // Windows names the port by its number alone, and lists those it has.
        QTest::newRow("no such device") << QStringList{"download", "good.igc", "--port", "/nonexistent/tty"} << 3
                                        << "Cannot open /nonexistent/tty:\nthis computer has ";
        QTest::newRow("no such Com number") << QStringList{"wake", "--port", "Com99"} << 3
                                            << "Cannot open Com99 (\\\\.\\COM99):\nthis computer has ";
#else
        QTest::newRow("no such device") << QStringList{"download", "good.igc", "--port", "/nonexistent/tty"} << 3
                                        << "Cannot open /nonexistent/tty:\nthere is no such device";
        QTest::newRow("no such Com number") << QStringList{"wake", "--port", "Com99"} << 3
                                            << "Cannot open Com99:\nno serial port of this computer has that number.";
        // What is no serial port is said to be none: no group, no holder to blame.
        QTest::newRow("/dev/null") << QStringList{"wake", "--port", "/dev/null"} << 3 << "Cannot open /dev/null:\nit is not a serial port.";
        QTest::newRow("a file") << QStringList{"wake", "--port", "good.igc"} << 3 << "Cannot open good.igc:\nit is not a serial port.";
        QTest::newRow("no name") << QStringList{"wake", "--port", ""} << 3 << "Cannot open \"\":\nit is not a serial port.";
#endif
    }
    void exitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, says);
        const ToolRun run = runTool(arguments, dir_.path());
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromUtf8(text(run.out + run.err)).contains(says), (run.out + run.err).constData());
    }

    void checkListsEveryRefusal()
    {
        const ToolRun run = runTool({"check", "bad.igc"}, dir_.path());
        QCOMPARE(text(run.out), "bad.igc: dwell correction 999999999 is outside 0 – 15\n"
                          "bad.igc: row 3: inhibit pattern \"0101\" is not eight characters 0 or 1\n"
                          "bad.igc: row 17: advance 70 is outside 0,5 – 63,5\n");
        QCOMPARE(run.err, "");
    }

    // Hex and raw are the same bytes: those the core builds for the file,
    // bytes 10 and 13 (advances 5 and 6,5) too, which a text output turns
    // into line ends.
    void frameAsItGoesOnTheLine_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("example") << QStringList{};
        QTest::newRow("bytes 10 and 13") << QStringList{"advance1=5", "advance2=6,5"};
    }
    void frameAsItGoesOnTheLine()
    {
        QFETCH(QStringList, changes);
        const CurveTexts curve = exampleCurveWith(changes);
        write("frame.igc", writeCurveFile(curve));
        const ToolRun raw = runTool({"frame", "frame.igc", "--raw"}, dir_.path());
        const ToolRun hex = runTool({"frame", "frame.igc"}, dir_.path());
        const FileDownload d = fileDownload(curve);
        QCOMPARE(raw.out, frameLine(BuildDownloadFrame(d.texts, d.versionFlag)));
        QCOMPARE(QByteArray::fromHex(hex.out), raw.out);
        QCOMPARE(hex.out.count('\n'), 16);
    }

    void csvRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("curve");
        QTest::newRow("sample") << writeCurveFile(sampleCurve());
        QTest::newRow("example") << writeCurveFile(exampleDownloadCurve());
        QTest::newRow("bad parameters travel along") << writeCurveFile(exampleCurveWith({"cylinders=7", "in=Up"}));
    }
    void csvRoundTrip()
    {
        QFETCH(QByteArray, curve);
        write("round.igc", curve);
        const ToolRun exported = runTool({"export", "round.igc"}, dir_.path());
        QCOMPARE(exported.status, 0);
        write("round.csv", exported.out);
        const ToolRun imported = runTool({"import", "round.csv", "--into", "round.igc", "-o", "back.igc"}, dir_.path());
        QCOMPARE(imported.status, 0);
        QCOMPARE(read("back.igc"), curve);
    }

    // As a spreadsheet set to Hungarian saves it: semicolons, decimal commas,
    // CR LF, and the leading zeros of the patterns lost.
    void importFromASpreadsheet()
    {
        QByteArray csv = "rpm;advance;pattern\r\n";
        for (const RowTexts &row : exampleCurveWith({"advance5=12,5"}).rows)
            csv += row.rpm.toLatin1() + ';' + row.advance.toLatin1() + ";0\r\n";
        write("hu.csv", csv);
        const ToolRun run = runTool({"import", "hu.csv", "--into", "good.igc", "--output", "hu.igc"}, dir_.path());
        QCOMPARE(run.status, 0);
        CurveTexts expected = sampleCurve();
        expected.rows = exampleCurveWith({"advance5=12,5"}).rows;
        QCOMPARE(read("hu.igc"), writeCurveFile(expected));
    }

    void refusedImportWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("into");
        QTest::addColumn<QByteArray>("before"); // "<missing>": no file
        QTest::addColumn<QString>("says");
        const QByteArray old = "an older curve\r\n";
        QByteArray badCell = QByteArray(writeCurveCsv(sampleCurve())).replace("2300,17.5,", "2300,70.5,");
        QTest::newRow("bad cell, file kept") << badCell << "good.igc" << old
                                             << "t.csv: line 18: row 17: advance 70.5 is outside 0,5 – 63,5";
        QTest::newRow("bad cell, no file made") << badCell << "good.igc" << QByteArray("<missing>") << "line 18";
        QTest::newRow("59 rows") << QByteArray(writeCurveCsv(sampleCurve())).replace("6600,60.5,10100000\n", "")
                                 << "good.igc" << old << "the table has 59 rows, it needs exactly 60";
        QTest::newRow("parameters from no curve") << writeCurveCsv(sampleCurve()) << "other.txt" << old
                                                  << "other.txt: not a curve file";
    }
    void refusedImportWritesNothing()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, into);
        QFETCH(QByteArray, before);
        QFETCH(QString, says);
        write("t.csv", csv);
        QFile::remove(dir_.filePath("out.igc"));
        if (before != "<missing>")
            write("out.igc", before);
        const QByteArray kept = read("out.igc");
        const ToolRun run = runTool({"import", "t.csv", "--into", into, "-o", "out.igc"}, dir_.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(says), run.err.constData());
        QCOMPARE(read("out.igc"), kept);
        QCOMPARE(QDir(dir_.path()).entryList({"out.igc*"}, QDir::Files).size(), before == "<missing>" ? 0 : 1);
    }

#ifdef Q_OS_WIN
    void linuxFilesAndNames()
    {
        QSKIP("/dev/full, FIFOs, device nodes, file owners and names that are bytes, not UTF-8, are Linux's");
    }
#else
    // Output that never arrived is a failure, whatever the command.
    void fullStandardOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("export") << QStringList{"export", "good.igc"};
        QTest::newRow("check") << QStringList{"check", "good.igc"};
        QTest::newRow("show") << QStringList{"show", "good.igc"};
        QTest::newRow("frame --raw") << QStringList{"frame", "good.igc", "--raw"};
        QTest::newRow("--help") << QStringList{"--help"};
    }
    void fullStandardOutput()
    {
        QFETCH(QStringList, arguments);
        const ToolRun run = runTool(arguments, dir_.path(), ToolSetup{{}, "/dev/full", {}, 0, {}});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("cannot write to standard output: No space left on device"), run.err.constData());
    }

    // import writes a curve file, never over a device, a FIFO or a folder.
    void importOnlyOverAFile_data()
    {
        QTest::addColumn<QString>("make"); // what stands at the output's name
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("folder") << "folder";
    }
    void importOnlyOverAFile()
    {
        QFETCH(QString, make);
        const QByteArray target = QFile::encodeName(dir_.filePath("node.igc"));
        ::unlink(target.constData());
        ::rmdir(target.constData());
        const int made = make == "fifo" ? ::mkfifo(target.constData(), 0644)
            : make == "device"          ? ::mknod(target.constData(), S_IFCHR | 0666, makedev(1, 3))
                                        : ::mkdir(target.constData(), 0755);
        if (made != 0)
            QSKIP("this user cannot make one");
        struct stat before {};
        ::stat(target.constData(), &before);
        write("t.csv", writeCurveCsv(sampleCurve()));
        const ToolRun run = runTool({"import", "t.csv", "--into", "good.igc", "-o", "node.igc"}, dir_.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("node.igc: not a regular file"), run.err.constData());
        struct stat after {};
        QCOMPARE(::stat(target.constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
    }

    // The curve replaced keeps its owner and group (root may give them).
    void importKeepsTheOwner()
    {
        write("owned.igc", "an older curve\r\n");
        const QByteArray target = QFile::encodeName(dir_.filePath("owned.igc"));
        if (::chown(target.constData(), 4321, 4322) != 0)
            QSKIP("only root gives a file away");
        write("t.csv", writeCurveCsv(sampleCurve()));
        const ToolRun run = runTool({"import", "t.csv", "--into", "good.igc", "-o", "owned.igc"}, dir_.path());
        QCOMPARE(run.status, 0);
        const QFileInfo after(dir_.filePath("owned.igc"));
        QCOMPARE(after.ownerId(), 4321u);
        QCOMPARE(after.groupId(), 4322u);
        QCOMPARE(read("owned.igc"), writeCurveFile(sampleCurve()));
    }

    // A name from a Latin-1 system is opened by its bytes; a new file is not
    // given a name other than the one asked for.
    void namesThatAreNotUtf8_data()
    {
        QTest::addColumn<QString>("command"); // after the program, the name as $N
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        QTest::newRow("read") << "check \"$N\"" << 0 << "ready to download";
        QTest::newRow("written") << "import t.csv --into good.igc -o \"$N\"" << 1 << "the name is not UTF-8";
    }
    void namesThatAreNotUtf8()
    {
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, says);
        write("t.csv", writeCurveCsv(sampleCurve()));
        QProcess shell;
        shell.setWorkingDirectory(dir_.path());
        shell.start("sh", {"-c", "N=$(printf 'lat\\351.igc'); cp good.igc \"$N\"; \"$0\" " + command + "; s=$?; rm \"$N\"; exit $s",
                           IGCTOOL_PATH});
        QVERIFY(shell.waitForFinished(10000));
        QCOMPARE(shell.exitCode(), status);
        const QByteArray said = shell.readAllStandardOutput() + shell.readAllStandardError();
        QVERIFY2(QString::fromUtf8(said).contains(says), said.constData());
    }

#endif

private:
    // What igctool printed, with Linux's line ends: Windows' C runtime ends
    // a line of text with CR LF.
    static QByteArray text(QByteArray printed)
    {
#ifdef Q_OS_WIN
        printed.replace("\r\n", "\n");
#endif
        return printed;
    }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(dir_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &name) const
    {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestToolCommands)
#include "tst_tool_commands.moc"
