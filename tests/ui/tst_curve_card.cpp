// The curve card as `igcedit --card` writes it, read back with poppler's
// pdftotext and pdfinfo as a reader of the PDF would.
#include "core/curve_file.h"
#include "core/ui_texts.h"
#include "sample_curves.h"
#include "tool_run.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Run {
    int status = -1;
    QString err;
};

Run run(const QString &program, const QStringList &arguments, const QString &folder,
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
{
    // Qt warns about a missing runtime folder, which a login always has.
    static const QTemporaryDir runtime;
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000))
        process.kill();
    result.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart)
        result.status = process.exitCode();
    return result;
}

// What poppler reads from a PDF, blanks folded to one space.
QString poppler(const QString &tool, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        qFatal("%s is missing: scripts/test installs poppler-utils", qPrintable(tool));
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// The settings file of a window that speaks English: the card must not
// read it, nor write it.
const QByteArray kEnglishSettings = "x.igc\r\n1\r\n1\r\n8,3\r\n";

} // namespace

class TestCurveCard : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        writeFile("Edit.txt", kEnglishSettings);
    }

    void cleanup()
    {
        QFile settings(dir_->filePath("Edit.txt"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QCOMPARE(settings.readAll(), kEnglishSettings);
    }

    // Each card in both languages: the window's captions with the values the
    // window would show, the 60 rows, and the digest of what igctool sends
    // for the same file, or the first refusal in the card's language.
    void pdf_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QStringList>("language");
        QTest::addColumn<QString>("frame");
        QTest::newRow("Hungarian, 128 values") << QStringList{"version=8,3"} << QStringList{}
            << "Letöltési keret: 128 érték, 384 bájt a vonalon";
        QTest::newRow("English, 127 values") << QStringList{} << QStringList{"--lang", "en"}
            << "Download frame: 127 values, 381 bytes on the line";
        QTest::newRow("Hungarian, refused") << QStringList{"advance17=70", "pattern40=2"} << QStringList{"--lang", "hu"}
            << "nem letölthető: 17. sor: előgyújtás: 70 nem esik 0,5 – 63,5 közé";
        QTest::newRow("English, refused") << QStringList{"cylinders=7"} << QStringList{"--lang", "en"}
            << "not downloadable: cylinders \"7\" is not one of 1, 2, 3, 4, 5, 6, 8";
    }
    void pdf()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, language);
        QFETCH(QString, frame);
        CurveTexts curve = exampleCurveWith(changes);
        // Sixty advances that differ.
        for (int r = 1; r <= kCurveRows; ++r) {
            if (curve.rows[r - 1].advance == "10")
                curve.rows[r - 1].advance = QString::number(r) + ",5";
        }
        writeFile("c.igc", writeCurveFile(curve));

        const Run card = run(IGCEDIT_PATH, QStringList{"--card", "c.igc", "card.pdf"} + language, dir_->path());
        QCOMPARE(card.err, QString());
        QCOMPARE(card.status, 0);
        const QString pdf = dir_->filePath("card.pdf");
        const QString info = poppler("pdfinfo", {pdf});
        QVERIFY2(info.contains("Pages: 1 ") && info.contains("(A4)"), qPrintable(info));
        const QString text = poppler("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains(frame), qPrintable(text));
        const ToolRun tool = runTool({"frame", "c.igc", "--raw"}, dir_->path());
        QCOMPARE(text.contains("sha256"), tool.status == 0);
        if (tool.status == 0)
            QVERIFY(text.contains("sha256: " + QCryptographicHash::hash(tool.out, QCryptographicHash::Sha256).toHex()));

        const LanguageTexts &texts = appliedTexts(language.contains("en") ? 1 : 0);
        const WindowTexts &w = texts.window;
        QVERIFY(text.contains(w.Label1 + ' ' + curve.cylinders + ' '));
        QVERIFY(text.contains(w.Label4 + ' ' + curve.dwell + ' '));
        QVERIFY(text.contains(w.Label5 + ' ' + w.ComboBox3Items[1])); // rising
        QVERIFY(text.contains(w.Label7 + ' ' + w.ComboBox4Items[1])); // falling
        QVERIFY(text.contains(w.Label10 + ' ' + curve.transparent));
        QVERIFY(text.contains(texts.slotTexts.MsgColInhibit));
        QVERIFY(text.contains("c.igc"));
        for (const RowTexts &row : curve.rows) {
            const QString advance = QRegularExpression::escape(row.advance);
            QVERIFY2(text.contains(QRegularExpression("(^| )" + advance + "( |$)")), qPrintable(advance));
        }
    }

    void png()
    {
        writeFile("c.igc", writeCurveFile(sampleCurve()));
        const Run card = run(IGCEDIT_PATH, {"--card", "c.igc", "card.PNG"}, dir_->path());
        QCOMPARE(card.status, 0);
        const QImage image(dir_->filePath("card.PNG"));
        // A4 at 150 dpi.
        QCOMPARE(image.size(), QSize(1240, 1754));
        QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 150);
    }

    // No display: the program picks the offscreen platform itself, whatever
    // the environment asks for.
    void withoutDisplay()
    {
        writeFile("c.igc", writeCurveFile(sampleCurve()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        const Run card = run(IGCEDIT_PATH, {"--card", "c.igc", "card.pdf"}, dir_->path(), environment);
        QCOMPARE(card.status, 0);
        QVERIFY(QFile::exists(dir_->filePath("card.pdf")));
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        const QByteArray curve = writeCurveFile(sampleCurve());
        QTest::newRow("no output") << QStringList{"c.igc"} << curve << "usage: igcedit --card";
        QTest::newRow("unknown language") << QStringList{"c.igc", "card.pdf", "--lang", "de"} << curve << "usage:";
        QTest::newRow("language missing") << QStringList{"c.igc", "card.pdf", "--lang"} << curve << "usage:";
        QTest::newRow("missing curve") << QStringList{"none.igc", "card.pdf"} << curve << "none.igc";
        QTest::newRow("not a curve") << QStringList{"c.igc", "card.pdf"} << QByteArray("igc2\r\n") << "not a curve file";
        QTest::newRow("other extension") << QStringList{"c.igc", "card.txt"} << curve << ".pdf or .png";
        QTest::newRow("no such folder") << QStringList{"c.igc", "none/card.png"} << curve << "Cannot write";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        writeFile("c.igc", file);
        const Run card = run(IGCEDIT_PATH, QStringList{"--card"} + arguments, dir_->path());
        QCOMPARE(card.status, 1);
        QVERIFY2(card.err.contains(reason), qPrintable(card.err));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), (QStringList{"c.igc", "Edit.txt"}));
    }

private:
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir_->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(TestCurveCard)
#include "tst_curve_card.moc"
