// igctool as a script runs it: exit statuses, what it prints, and the files
// it writes or leaves alone.
#include "core/curve_csv.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "sample_curves.h"
#include "tool_run.h"

#include "igc_version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class TestToolCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        write("good.igc", writeCurveFile(sampleCurve()));
        write("bad.igc", writeCurveFile(exampleCurveWith({"version=8,3", "corr=999999999", "advance17=70", "pattern3=0101"})));
        write("other.txt", "igc2\r\n");
        write("offstep.igc", writeCurveFile(sampleCurve()).replace("\r\n10,5\r\n", "\r\n10,99\r\n"));
        write("short.igc", writeCurveFile(sampleCurve()).split('\n').mid(0, 100).join('\n'));
        // Its only letter beyond ASCII is the ó of the polarities, the same in Latin-1.
        write("utf8.igc", QString::fromLatin1(writeCurveFile(sampleCurve())).toUtf8());
        write("utf16.igc", utf16(QString::fromLatin1(writeCurveFile(sampleCurve())).toUtf8()));
        write("table.csv", writeCurveCsv(sampleCurve()));
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath("fifo")).constData(), 0600) == 0);
        // Command lines call igctool by its name.
        QVERIFY(QDir(dir_.path()).mkdir("bin"));
        QVERIFY(QFile::link(IGCTOOL_PATH, dir_.filePath("bin/igctool")));
    }

    // Command lines as a shell runs them (the locale cleared first), with
    // their exit status and the first line of stdout and of stderr; every
    // line on stderr is a message of its own that starts with "igctool: ".
    void commandLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString ready = "good.igc: ready to download, 128 values with the options value";
        QTest::newRow("check passes") << "igctool check good.igc" << 0 << ready << "";
        QTest::newRow("check refuses") << "igctool check bad.igc" << 1 << "bad.igc: dwell correction 999999999 is outside 0 – 15" << "";
        QTest::newRow("an advance between half degrees")
            << "igctool check offstep.igc" << 0 << "offstep.igc: note: row 10: 10,99 goes out as 10,5" << "";
        QTest::newRow("a file that ends early")
            << "igctool check short.igc" << 1 << "short.igc: note: the file ends after line 100 of 190: the lines after it read as empty" << "";
        QTest::newRow("UTF-8 curve") << "igctool check utf8.igc" << 1
                                     << "utf8.igc: note: UTF-8 text, not Windows-1250: line 6 reads \"FelfutĂł\"" << "";
        QTest::newRow("UTF-16 curve") << "igctool check utf16.igc" << 1 << ""
                                      << "igctool: utf16.igc: not a curve file: it is UTF-16LE text, and curve files are Windows-1250";
        QTest::newRow("not a curve file") << "igctool show other.txt" << 1 << ""
                                          << "igctool: other.txt: not a curve file (its first line is neither igc nor igc1)";
        QTest::newRow("quiet") << "igctool -q check offstep.igc" << 0 << "" << "";
        QTest::newRow("quiet after the command") << "igctool check bad.igc --quiet" << 1
                                                 << "bad.igc: dwell correction 999999999 is outside 0 – 15" << "";
        QTest::newRow("verbose") << "igctool -v import table.csv --into good.igc -o v.igc" << 0
                                 << "v.igc: the rows of table.csv with the parameters of good.igc"
                                 << "igctool: table.csv: ASCII text, comma-separated, column titles on the first line";
        // Streams: standard input, /dev/stdin and process substitution; no other FIFO.
        QTest::newRow("standard input") << "igctool check - < good.igc" << 0
                                        << "(standard input): ready to download, 128 values with the options value" << "";
        QTest::newRow("/dev/stdin") << "cat good.igc | igctool check /dev/stdin" << 0
                                    << "/dev/stdin: ready to download, 128 values with the options value" << "";
        QTest::newRow("process substitution") << "igctool check <(cat good.igc)" << 0
                                              << "/dev/fd/N: ready to download, 128 values with the options value" << "";
        QTest::newRow("a stream beyond the bound") << "head -c 2000000 /dev/zero | igctool check -" << 5 << ""
                                                   << "igctool: (standard input): cannot read it: larger than 1048576 bytes";
        QTest::newRow("a FIFO") << "igctool check fifo" << 5 << "" << "igctool: fifo: cannot read it: not a regular file";
        QTest::newRow("no such file") << "igctool export none.igc" << 5 << ""
                                      << "igctool: none.igc: cannot read it: No such file or directory";
        QTest::newRow("export and import through a pipe")
            << "igctool export good.igc | igctool import - --into good.igc -o piped.igc" << 0
            << "piped.igc: the rows of (standard input) with the parameters of good.igc" << "";
        QTest::newRow("import to stdout") << "igctool import table.csv --into good.igc | head -1" << 0 << "igc1\r" << "";
        QTest::newRow("export -o to a descriptor") << "igctool export good.igc -o /dev/fd/3 3>fd.csv && head -1 fd.csv" << 0
                                                   << "rpm,advance,pattern" << "";
        QTest::newRow("export -o") << "igctool export good.igc -o e.csv && head -1 e.csv" << 0 << "rpm,advance,pattern" << "";
        // Wrong usage.
        QTest::newRow("no command") << "igctool" << 2 << "" << "igctool: which command? igctool --help lists them";
        QTest::newRow("unknown command") << "igctool flash good.igc" << 2 << "" << "igctool: no command flash; igctool --help lists them";
        QTest::newRow("missing file") << "igctool check" << 2 << ""
                                      << "igctool: usage: igctool check CURVE.igc [--json]; igctool check --help tells more";
        QTest::newRow("unknown option") << "igctool frame good.igc --hex" << 2 << ""
                                        << "igctool: unknown option --hex; igctool frame --help lists the options";
        QTest::newRow("no value after the last option") << "igctool export good.igc -o" << 2 << ""
                                                        << "igctool: -o needs a value; igctool export --help tells more";
        QTest::newRow("no --into") << "igctool import table.csv" << 2 << ""
                                   << "igctool: import needs --into; igctool import --help tells more";
        QTest::newRow("two standard inputs") << "igctool import - --into -" << 2 << ""
                                             << "igctool: only one file can come from standard input";
        QTest::newRow("help") << "igctool --help" << 0 << "Usage: igctool [-q | -v] COMMAND [ARGUMENTS] [OPTIONS]" << "";
        QTest::newRow("command help") << "igctool download --help" << 0
                                      << "Usage: igctool download CURVE.igc [--port PORT] [--force] [--json]" << "";
        QTest::newRow("--version") << "igctool --version" << 0 << "igctool " IGC_VERSION << "";
        QTest::newRow("-V") << "igctool -V" << 0 << "igctool " IGC_VERSION << "";
        QTest::newRow("-v is no version") << "igctool -v" << 2 << "" << "igctool: which command? igctool --help lists them";
        // Ports.
        QTest::newRow("check before the port") << "igctool download bad.igc --port /nonexistent/tty" << 1 << ""
                                               << "igctool: bad.igc: dwell correction 999999999 is outside 0 – 15";
        QTest::newRow("no such device") << "igctool download good.igc --port /nonexistent/tty" << 3 << ""
                                        << "igctool: Cannot open /nonexistent/tty: there is no such device. Is the adapter plugged in?";
        QTest::newRow("com99 in any case") << "igctool wake --port com99" << 3 << ""
                                           << "igctool: Cannot open com99: no serial port of this computer has that number.";
        QTest::newRow("IGC_PORT") << "IGC_PORT=/dev/null igctool wake" << 3 << ""
                                  << "igctool: Cannot open /dev/null: it is not a serial port.";
        QTest::newRow("--port before IGC_PORT") << "IGC_PORT=/dev/null igctool wake --port good.igc" << 3 << ""
                                                << "igctool: Cannot open good.igc: it is not a serial port.";
        QTest::newRow("no name") << "igctool wake --port ''" << 3 << "" << "igctool: Cannot open \"\": it is not a serial port.";
        // Hungarian when the first locale variable that is set says so.
        QTest::newRow("LANG hu") << "LANG=hu_HU.UTF-8 igctool check bad.igc" << 1
                                 << "bad.igc: zárásidő korrekció: 999999999 nem esik 0 – 15 közé" << "";
        QTest::newRow("LC_MESSAGES hu, LC_ALL empty") << "LC_ALL= LC_MESSAGES=hu_HU LANG=en_GB igctool check offstep.igc" << 0
                                                      << "offstep.igc: megjegyzés: 10. sor: 10,99 helyett 10,5 megy ki" << "";
        QTest::newRow("LC_ALL before LANG") << "LC_ALL=C LANG=hu_HU.UTF-8 igctool check bad.igc" << 1
                                            << "bad.igc: dwell correction 999999999 is outside 0 – 15" << "";
        QTest::newRow("Hungarian: cannot open") << "LANG=hu_HU.UTF-8 igctool show none.igc" << 5 << ""
                                                << "igctool: none.igc: Nem tudom megnyitni az állományt! (No such file or directory)";
        QTest::newRow("Hungarian: bad file") << "LANG=hu_HU.UTF-8 igctool show other.txt" << 1 << ""
                                             << "igctool: other.txt: Nem megfelelő adatállomány! (az első sora sem igc, sem igc1)";
        QTest::newRow("Hungarian: the port") << "LANG=hu_HU.UTF-8 igctool download good.igc --port /nonexistent/tty" << 3 << ""
                                             << "igctool: Nem nyitható meg a(z) /nonexistent/tty port: nincs ilyen eszköz. Be van dugva az átalakító?";
    }
    void commandLines()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const ToolRun run = runShell(line);
        QCOMPARE(run.status, status);
        const QStringList said = QString::fromUtf8(run.out).split('\n');
        QCOMPARE(QString(said.first()).replace(QRegularExpression("^/dev/fd/\\d+"), "/dev/fd/N"), out);
        const QStringList complaints = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(complaints.value(0), err);
        for (const QString &complaint : complaints)
            QVERIFY2(complaint.startsWith("igctool: "), qPrintable(complaint));
    }

    // --json: one object a script reads whatever the language.
    void json_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("values"); // path=value, the path's steps split by '/'
        const FileDownload d = fileDownload(sampleCurve());
        const QString digest = frameDigest(BuildDownloadFrame(d.texts, d.versionFlag));
        QTest::newRow("check passes") << "igctool check --json good.igc" << 0
                                      << QStringList{"downloadable=true", "values=128", "sha256=" + digest, "refusals=0", "notes=0"};
        QTest::newRow("check refuses, in Hungarian")
            << "LANG=hu_HU.UTF-8 igctool check bad.igc --json" << 1
            << QStringList{"downloadable=false", "refusals/2/field=advance", "refusals/2/row=17", "refusals/2/kind=outOfRange",
                           "refusals/2/text=70", "refusals/2/high=63.5",
                           "refusals/2/message=17. sor: előgyújtás: 70 nem esik 0,5 – 63,5 közé", "refusals/1/kind=notAPattern"};
        QTest::newRow("notes") << "igctool check --json short.igc" << 1
                               << QStringList{"notes/0/kind=endsEarly", "notes/0/lines=100", "notes/0/of=190"};
        QTest::newRow("show") << "igctool show --json good.igc" << 0
                              << QStringList{"variant=igc1", "parameters/inputPolarity=Felfutó", "parameters/version=8,3",
                                             "rows/16/row=17", "rows/16/advance=17,5", "rows/59/pattern=10100000"};
        QTest::newRow("ports") << "igctool ports --json" << 0 << QStringList{};
    }
    void json()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QStringList, values);
        const ToolRun run = runShell(line);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out.count('\n'), 1);
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
        QVERIFY2(document.isObject(), qPrintable(error.errorString()));
        for (const QString &value : values) {
            QJsonValue at = document.object();
            for (const QString &step : value.section('=', 0, 0).split('/'))
                at = at.isArray() ? at.toArray().at(step.toInt()) : at.toObject().value(step);
            // An array by its size.
            QCOMPARE(at.isArray() ? QString::number(at.toArray().size()) : at.toVariant().toString(), value.section('=', 1));
        }
    }

    // Tables as spreadsheets save them, imported into the sample curve, or
    // refused with the line, the column and the reason.
    void spreadsheetFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says"); // the first line of stdout, or of stderr
        const QString taken = "out.igc: the rows of t.csv with the parameters of good.igc";
        const QByteArray hungarianTitles = "Ford.sz\xE1m;El\xF5gy\xFAjt\xE1s;Tilt\xE1s"; // Windows-1250
        QTest::newRow("Hungarian Excel CSV") << hungarianTitles + "\r\n" + table(";", ',', "\r\n") << 0
                                             << "out.igc: the rows of t.csv (Windows-1250) with the parameters of good.igc";
        QTest::newRow("Excel Unicode text") << utf16("RPM\tIgn. Advance\tInh. Pattern\r\n" + table("\t", ',', "\r\n")) << 0
                                            << "out.igc: the rows of t.csv (UTF-16LE) with the parameters of good.igc";
        // As iconv -t UTF-16LE writes it.
        QTest::newRow("UTF-16 without its mark") << utf16("Ford.szám;Előgyújtás;Tiltás\n" + table(";", ',', "\n"), {}) << 0
                                                 << "out.igc: the rows of t.csv (UTF-16LE) with the parameters of good.igc";
        QTest::newRow("UTF-8 titles, empty columns and rows")
            << "\xEF\xBB\xBF" "Ford.szám;Előgyújtás;Tiltás;;\n" + table(";", ',', ";;\n") + ";;;\n;;\n" << 0 << taken;
        QTest::newRow("CR line ends") << "rpm,advance,pattern\r" + table(",", '.', "\r") << 0 << taken;
        QTest::newRow("quoted decimal commas") << "rpm,advance,pattern\n" + table(",", ',', "\n") << 0 << taken;
        QTest::newRow("decimal commas unquoted")
            << "rpm,advance,pattern\n" + table(",", '.', "\n").replace("\n800,2.5,", "\n800,2,5,") << 1
            << "igctool: t.csv: line 3, column D: \"10100000\" is beyond the table's 3 columns; "
               "a decimal comma needs semicolons between the cells, or quotes around the number";
        QTest::newRow("a space after the separator") << "rpm, advance, pattern\n" + table(", ", '.', "\n") << 0 << taken;
        QTest::newRow("the window's grid copied")
            << "#\tRPM\tIgn. Advance\tInh. Pattern\n" + table("\t", ',', "\n", true) << 0 << taken;
        QTest::newRow("a bad advance") << hungarianTitles + "\r\n" + table(";", ',', "\r\n").replace("\n2300;17,5;", "\n2300;70,5;")
                                       << 1 << "igctool: t.csv: line 18, column B (row 17): advance 70,5 is outside 0,5 – 63,5";
        QTest::newRow("59 rows") << utf16(table("\t", ',', "\r\n").replace("6600\t60,5\t10100000\r\n", "")) << 1
                                 << "igctool: t.csv: the table has 59 rows, it needs exactly 60";
        QTest::newRow("a title of no column") << "Drehzahl;Zündung;Muster\n" + table(";", ',', "\n") << 1
                                              << "igctool: t.csv: line 1, column A: \"Drehzahl\" is no column title (rpm, advance, pattern)";
    }
    void spreadsheetFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(QString, says);
        write("t.csv", file);
        QFile::remove(dir_.filePath("out.igc"));
        const ToolRun run = runTool({"import", "t.csv", "--into", "good.igc", "-o", "out.igc"}, dir_.path());
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(status == 0 ? run.out : run.err).section('\n', 0, 0), says);
        QCOMPARE(read("out.igc"), status == 0 ? writeCurveFile(sampleCurve()) : QByteArray("<missing>"));
    }

    void checkListsEveryRefusal()
    {
        const ToolRun run = runTool({"check", "bad.igc"}, dir_.path());
        QCOMPARE(run.out, "bad.igc: dwell correction 999999999 is outside 0 – 15\n"
                          "bad.igc: row 3: inhibit pattern \"0101\" is not eight characters 0 or 1\n"
                          "bad.igc: row 17: advance 70 is outside 0,5 – 63,5\n");
        QCOMPARE(run.err, "");
    }

    // Hex and raw are the same bytes: those the core builds for the file.
    void frameAsItGoesOnTheLine()
    {
        const ToolRun raw = runTool({"frame", "good.igc", "--raw"}, dir_.path());
        const ToolRun hex = runTool({"frame", "good.igc"}, dir_.path());
        const FileDownload d = fileDownload(sampleCurve());
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

    void refusedImportWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("into");
        QTest::addColumn<QByteArray>("before"); // "<missing>": no file
        QTest::addColumn<QString>("says");
        const QByteArray old = "an older curve\r\n";
        QByteArray badCell = QByteArray(writeCurveCsv(sampleCurve())).replace("2300,17.5,", "2300,70.5,");
        QTest::newRow("bad cell, file kept") << badCell << "good.igc" << old
                                             << "t.csv: line 18, column B (row 17): advance 70.5 is outside 0,5 – 63,5";
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
        QCOMPARE(run.status, 5);
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

private:
    // The sample curve's rows as a spreadsheet writes them: its patterns
    // read as numbers, a quoted number where it holds the separator; with
    // the row number first when `numbered`.
    static QByteArray table(const QString &separator, char decimal, const QByteArray &end, bool numbered = false)
    {
        QByteArray csv;
        int r = 0;
        for (const RowTexts &row : sampleCurve().rows) {
            QString advance = QString(row.advance).replace(',', decimal);
            if (advance.contains(separator.at(0)))
                advance = '"' + advance + '"';
            QStringList cells{row.rpm, advance, QString::number(row.pattern.toInt())};
            if (numbered)
                cells.prepend(QString::number(++r));
            csv += cells.join(separator).toUtf8() + end;
        }
        return csv;
    }
    static QByteArray utf16(const QByteArray &utf8, QStringEncoder::Flags bom = QStringEncoder::Flag::WriteBom)
    {
        return QStringEncoder(QStringEncoder::Utf16LE, bom).encode(QString::fromUtf8(utf8));
    }
    ToolRun runShell(const QString &line) const
    {
        QProcessEnvironment environment;
        environment.insert("PATH", dir_.filePath("bin") + ':' + qEnvironmentVariable("PATH"));
        return runProgram("bash", {"-c", "unset LC_ALL LC_MESSAGES LANG; " + line}, dir_.path(), environment);
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
