// The curve card as `igcedit --card` writes it, read back with poppler's
// pdftotext and pdfinfo as a reader of the PDF would.
#include "core/curve_file.h"
#include "ui/window_texts.h"
#include "form_fixture.h"
#include "sample_curves.h"
#include "tool_run.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"
#include "user_input.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

ToolRun card(const QStringList &arguments, const QString &folder, const QProcessEnvironment &environment = {})
{
    return runProgram(IGCEDIT_PATH, QStringList{"--card"} + arguments, folder, environment);
}

// What poppler reads from a PDF, blanks folded to one space.
QString poppler(const QString &tool, const QStringList &arguments)
{
    // A missing tool fails the test: scripts/test installs poppler-utils.
    return QString::fromUtf8(runProgram(tool, arguments).out).simplified();
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

        QCOMPARE(card(QStringList{"c.igc", "card.pdf"} + language, dir_->path()).status, 0);
        const QString pdf = dir_->filePath("card.pdf");
        const QString info = poppler("pdfinfo", {pdf});
        QVERIFY2(info.contains("Pages: 1 ") && info.contains("(A4)"), qPrintable(info));
        const QString text = poppler("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains(frame), qPrintable(text));
        const ToolRun tool = runTool({"frame", "c.igc", "--raw"}, dir_->path());
        QCOMPARE(text.contains("sha256"), tool.status == 0);
        if (tool.status == 0)
            QVERIFY(text.contains("sha256: " + QCryptographicHash::hash(tool.out, QCryptographicHash::Sha256).toHex()));

        const WindowTexts &w = appliedTexts(language.contains("en") ? 1 : 0).window;
        // The polarities in the card's language: rising in, falling out.
        for (const QString &shown : {w.Label1 + ' ' + curve.cylinders + ' ', w.Label4 + ' ' + curve.dwell + ' ',
                                     w.Label5 + ' ' + w.ComboBox3Items[1], w.Label7 + ' ' + w.ComboBox4Items[1],
                                     w.Label10 + ' ' + curve.transparent, QStringLiteral(" c.igc ")})
            QVERIFY2(text.contains(shown), qPrintable(shown));
        for (const RowTexts &row : curve.rows) {
            const QString advance = QRegularExpression::escape(row.advance);
            QVERIFY2(text.contains(QRegularExpression("(^| )" + advance + "( |$)")), qPrintable(advance));
        }
    }

    // A4 at 150 dpi, and no display needed: the program picks the offscreen
    // platform itself, whatever the environment asks for.
    void pngWithoutDisplay()
    {
        writeFile("c.igc", writeCurveFile(sampleCurve()));
        QProcessEnvironment environment;
        environment.insert("DISPLAY", "");
        environment.insert("WAYLAND_DISPLAY", "");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        QCOMPARE(card({"c.igc", "card.PNG"}, dir_->path(), environment).status, 0);
        const QImage image(dir_->filePath("card.PNG"));
        QCOMPARE(image.size(), QSize(1240, 1754));
        QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 150);
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        const QByteArray curve = writeCurveFile(sampleCurve());
        QTest::newRow("no output") << QStringList{"c.igc"} << curve << "usage: igcedit --card";
        QTest::newRow("unknown language") << QStringList{"c.igc", "card.pdf", "--lang", "de"} << curve << "usage:";
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
        const ToolRun refusal = card(arguments, dir_->path());
        QCOMPARE(refusal.status, 1);
        QVERIFY2(refusal.err.contains(reason.toUtf8()), refusal.err.constData());
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), (QStringList{"c.igc", "Edit.txt"}));
    }

    // The chart's menu, through real input on the window: the card of the
    // table as the window holds it, in the window's language; a second
    // export to the same name asks first, and No keeps the file.
    void fromTheChartMenu()
    {
        FormFixture f;
        f.writeSettings("elso.igc\r\n1\r\n1\r\n0\r\n");
        TForm1 &form = f.start();
        QVERIFY(showActive(form, &f.prompts));
        form.StringGrid1->setCell(Col::Advance, 7, "42,5");
        const QString path = dir_->filePath("card.pdf");
        f.prompts.fileAnswers = {path, path};
        f.prompts.log.clear();
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartExportCard));
        const QString text = poppler("pdftotext", {"-layout", path, "-"});
        QVERIFY2(text.contains(" 42,5 ") && text.contains("not downloadable: cylinders is empty"), qPrintable(text));

        writeFile("card.pdf", "old");
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartExportCard));
        const QString proposed = "export: " + f.path("elso.pdf");
        QCOMPARE(f.prompts.log, (QStringList{proposed, proposed, "confirm: " + englishTexts().slotTexts.MsgOverwrite}));
        QFile card(path);
        QVERIFY(card.open(QIODevice::ReadOnly));
        QCOMPARE(card.readAll(), "old");
    }

    // The real export dialog: a name typed without an extension takes the
    // kind of file chosen in the dialog.
    void realExportDialog()
    {
        QtUserPrompts real;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            user.stop();
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(name, "card");
            QTest::keyClick(name, Qt::Key_Return);
        });
        user.start();
        const std::optional<QString> chosen = real.exportFileName(dir_->filePath("elso.pdf"), {"PDF (*.pdf)", "PNG (*.png)"});
        QCOMPARE(chosen, std::optional<QString>(dir_->filePath("card.png")));
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

QTEST_MAIN(TestCurveCard)
#include "tst_curve_card.moc"
