#include "core/curve_file.h"
#include "form_fixture.h"
#include "serial/download_session.h"
#include "ui/curve_chart.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"
#include "ui/user_prompts.h"
#include "user_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCategoryAxis>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

namespace {

QList<double> curve(const TForm1 &form, CurveChart::Curve which)
{
    QList<double> values;
    for (int p = 0; p < form.Chart1->pointCount(); ++p)
        values << form.Chart1->value(which, p);
    return values;
}

QString substitute(QString text, const FormFixture &f)
{
    return text.replace("%CURVE%", f.path("c.igc")).replace("%DIR%", f.path("x").chopped(1));
}

// The x where the caption's text ends, in its parent's coordinates: the last
// column of the caption's picture that differs from its background.
int inkEnd(QLabel *caption)
{
    const QImage picture = caption->grab().toImage();
    const QRgb background = picture.pixel(0, 0);
    for (int x = picture.width() - 1; x >= 0; --x) {
        for (int y = 0; y < picture.height(); ++y) {
            if (picture.pixel(x, y) != background)
                return caption->x() + x + 1;
        }
    }
    return caption->x();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startUp_data()
    {
        QTest::addColumn<QByteArray>("settings"); // "<missing>", "<folder>" or the lines
        QTest::addColumn<QByteArray>("curveFile");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("downloadEnabled");
        QTest::addColumn<QStringList>("prompts");

        const QByteArray good = writeCurveFile(sampleCurve());
        const QByteArray bad = "IGC1\r\n";
        const QByteArray letters = writeCurveFile(sampleCurve("abc"));
        const QStringList none;
        QTest::newRow("no settings file") << QByteArray("<missing>") << good << "Form1" << "Com1" << -1 << "0" << false << none;
        QTest::newRow("empty settings") << QByteArray() << good << "Form1" << "Com1" << -1 << "0" << false << none;
        QTest::newRow("one line") << QByteArray("%CURVE%\r\n") << good << "%CURVE%" << "Com1" << -1 << "0" << true << none;
        QTest::newRow("four lines") << QByteArray("%CURVE%\r\n3\r\n1\r\n8,3\r\n") << good << "%CURVE%" << "Com3" << 1 << "8,3" << true << none;
        QTest::newRow("six lines") << QByteArray("%CURVE%\n16\n0\n9\nx\ny\n") << good << "%CURVE%" << "Com16" << 0 << "9" << true << none;
        QTest::newRow("port matches no item") << QByteArray("%CURVE%\r\n\r\n") << good << "%CURVE%" << "Com" << -1 << "0" << true << none;
        QTest::newRow("language not an integer") << QByteArray("%CURVE%\r\n2\r\nx\r\n") << good << "%CURVE%" << "Com2" << -1 << "0" << true << none;
        QTest::newRow("language 2 kept") << QByteArray("%CURVE%\r\n2\r\n2\r\n") << good << "%CURVE%" << "Com2" << 2 << "0" << true << none;
        QTest::newRow("version not a number") << QByteArray("%CURVE%\r\n1\r\n0\r\nabc\r\n") << good << "%CURVE%" << "Com1" << 0 << "0" << true << none;
        QTest::newRow("missing curve file") << QByteArray("%DIR%gone.igc\r\n") << good << "Form1" << "Com1" << -1 << "0" << false
                                            << QStringList{QStringLiteral("message: Nem tudom megnyitni az állományt!\n%DIR%gone.igc")};
        QTest::newRow("not a curve file") << QByteArray("%CURVE%\r\n") << bad << "Form1" << "Com1" << -1 << "0" << false
                                          << QStringList{QStringLiteral("message: Nem megfeleő adatállomány!")};
        QTest::newRow("advance not a number") << QByteArray("%CURVE%\r\n") << letters << "%CURVE%" << "Com1" << -1 << "0" << true
                                              << QStringList{"error: 'abc' is not a valid floating point value"};
        QTest::newRow("settings unreadable") << QByteArray("<folder>") << good << "Form1" << "Com1" << -1 << "0" << false
                                             << QStringList{"error: Cannot read %DIR%Edit.txt:\nIs a directory"};
    }
    void startUp()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, curveFile);
        QFETCH(QString, caption);
        QFETCH(QString, port);
        QFETCH(int, language);
        QFETCH(QString, version);
        QFETCH(bool, downloadEnabled);
        QFETCH(QStringList, prompts);

        FormFixture f;
        f.writeFile("c.igc", curveFile);
        if (settings == "<folder>")
            QVERIFY(QDir().mkpath(f.path("Edit.txt")));
        else
            f.writeSettings(substitute(QString::fromLatin1(settings), f).toLatin1());
        TForm1 &form = f.start();

        QCOMPARE(form.windowTitle(), substitute(caption, f));
        QCOMPARE(form.ComBtn->text(), port);
        QCOMPARE(form.deviceName(), port);
        QCOMPARE(form.language(), language);
        QCOMPARE(form.EditVerzio->text(), version);
        QCOMPARE(form.LetoltBtn->isEnabled(), downloadEnabled);
        QStringList expected;
        for (const QString &entry : prompts)
            expected << substitute(entry, f);
        // The settings folder's reason may be worded by the system.
        if (settings == "<folder>") {
            QCOMPARE(f.prompts.log.size(), 1);
            QVERIFY(f.prompts.log[0].startsWith(QDir::toNativeSeparators(expected[0].section('\n', 0, 0))));
        } else {
            QCOMPARE(f.prompts.log, expected);
        }
        QCOMPARE(form.Chart1->pointCount(), CurveChart::kPoints);
        QCOMPARE(curve(form, CurveChart::Old), curve(form, CurveChart::New));
    }

    void startUpDefaults()
    {
        FormFixture f;
        TForm1 &form = f.start();
        const StringGrid *grid = form.StringGrid1;
        QCOMPARE(grid->cell(1, 1), "650");
        QCOMPARE(grid->cell(1, 2), "800");
        QCOMPARE(grid->cell(1, 60), "9500");
        QCOMPARE(grid->cell(0, 60), "60");
        for (int r = 1; r <= kCurveRows; ++r) {
            QCOMPARE(grid->cell(2, r), "1");
            QCOMPARE(grid->cell(3, r), "00000000");
        }
        QCOMPARE((QStringList{grid->cell(0, 0), grid->cell(1, 0), grid->cell(2, 0), grid->cell(3, 0)}),
                 (QStringList{"#", QStringLiteral("Ford.szám"), QStringLiteral("Előgyújtás"), QStringLiteral("Tiltás")}));
        QCOMPARE(curve(form, CurveChart::Old), QList<double>(kCurveRows, 1.0));
        QCOMPARE(form.Chart1->label(0), "650");
        QCOMPARE(form.Chart1->label(59), "9500");
        QCOMPARE(form.curveFile(), "elso.igc");
        QCOMPARE((QList<int>{form.currentCol(), form.currentRow()}), (QList<int>{2, 1}));
        QCOMPARE(form.ComboBox2->currentIndex(), -1);
        form.KilepBtn->click();
        QCOMPARE(f.exits, QList<int>{0});
        QVERIFY(f.prompts.log.isEmpty());
    }

    void loadFillsTableAndParameters()
    {
        FormFixture f;
        CurveTexts english = sampleCurve();
        english.inputPolarity = "Rising";
        english.outputPolarity = "Falling";
        english.cylinders = "7"; // no such item
        f.writeFile("en.igc", writeCurveFile(english));
        f.writeSettings("none\r\n1\r\n0\r\n"); // Hungarian
        TForm1 &form = f.start();
        f.prompts.log.clear();
        f.prompts.fileAnswers = {f.path("en.igc")};
        form.LoadBtn->click();

        QCOMPARE(f.prompts.log, QStringList{"open"});
        QCOMPARE(form.ComboBox1->currentIndex(), -1);
        QCOMPARE(form.Edit1->text(), "6500");
        QCOMPARE(form.ComboBox3->currentText(), QStringLiteral("Felfutó"));
        QCOMPARE(form.ComboBox4->currentText(), QStringLiteral("Lefutó"));
        QCOMPARE(form.ComboBox4->currentIndex(), 1);
        QCOMPARE(form.EditVerzio->text(), "8,3");
        QCOMPARE(form.CBZaraskorrekcio->currentText(), "2");
        QCOMPARE(form.StringGrid1->fixedRows(), 4);
        QVERIFY(form.StringGrid1->isFixed(2, 3));
        QVERIFY(!form.StringGrid1->isFixed(2, 4));
        QCOMPARE((QList<int>{form.currentCol(), form.currentRow()}), (QList<int>{2, 4}));
        QCOMPARE(form.StringGrid1->cell(2, 60), "60,5");
        QCOMPARE(form.windowTitle(), f.path("en.igc"));
        QCOMPARE(form.curveFile(), f.path("en.igc"));
        QVERIFY(form.LetoltBtn->isEnabled());
        QCOMPARE(form.Chart1->value(CurveChart::Old, 59), 60.5);
        QCOMPARE(curve(form, CurveChart::Old), curve(form, CurveChart::New));
        QCOMPARE(form.Chart1->label(0), "700");
        form.KilepBtn->click();
        QCOMPARE(f.exits, QList<int>{0});

        // Saved again, the file holds the Hungarian words and no cylinders.
        f.prompts.fileAnswers = {f.path("hu.igc")};
        form.SaveBtn->click();
        const QByteArray saved = f.readFile("hu.igc");
        QVERIFY(saved.startsWith("igc1\r\n\r\n6500\r\n1\r\n3\r\nFelfut\xf3\r\nLefut\xf3\r\n"));
    }

    void loadOldVariantAndBothFallingWords()
    {
        FormFixture f;
        QByteArray old = "igc\r\n4\r\n6000\r\n1\r\n3\r\nLefut\xf3\r\nLefut\xf3\r\n";
        for (int r = 1; r <= kCurveRows; ++r)
            old += QByteArray::number(600 + r) + "\r\n10\r\n00000000\r\n";
        f.writeFile("old.igc", old);
        f.writeSettings("x\r\n1\r\n0\r\n8,3\r\n");
        TForm1 &form = f.start();
        f.prompts.fileAnswers = {f.path("old.igc")};
        form.LoadBtn->click();
        QCOMPARE(form.EditVerzio->text(), "0");
        QCOMPARE(form.CBZaraskorrekcio->currentText(), "0");
        QCOMPARE(form.CBTransparencia->currentText(), "0");
        QCOMPARE(form.StringGrid1->fixedRows(), 1);
        QCOMPARE(form.ComboBox3->currentIndex(), 0);
        QCOMPARE(form.ComboBox4->currentIndex(), 1);
        QCOMPARE(curve(form, CurveChart::New), QList<double>(kCurveRows, 10.0));
    }

    void loadFailures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cancelled") << QString() << QByteArray() << QString();
        QTest::newRow("missing") << "gone.igc" << QByteArray() << QStringLiteral("message: Nem tudom megnyitni az állományt!\n%DIR%gone.igc");
        QTest::newRow("other digit") << "bad.igc" << QByteArray("igc2\r\n4\r\n") << QStringLiteral("message: Nem megfeleő adatállomány!");
    }
    void loadFailures()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        FormFixture f;
        if (!bytes.isEmpty())
            f.writeFile(file, bytes);
        TForm1 &form = f.start();
        form.StringGrid1->setCell(2, 7, "12,5"); // an edit that the refresh picks up
        f.prompts.fileAnswers = {file.isEmpty() ? std::nullopt : std::optional(f.path(file))};
        form.LoadBtn->click();

        QStringList expected{"open"};
        if (!shown.isEmpty())
            expected << substitute(shown, f);
        QCOMPARE(f.prompts.log, expected);
        QCOMPARE(form.windowTitle(), "Form1");
        QVERIFY(!form.LetoltBtn->isEnabled());
        QCOMPARE(form.Chart1->value(CurveChart::Old, 6), file.isEmpty() ? 1.0 : 12.5);
        QCOMPARE(form.currentRow(), file.isEmpty() ? 1 : 5);
    }

    void loadRefreshStopsAtNonNumber()
    {
        FormFixture f;
        CurveTexts broken = sampleCurve();
        broken.rows[9].advance = "x";
        f.writeFile("b.igc", writeCurveFile(broken));
        TForm1 &form = f.start();
        f.prompts.fileAnswers = {f.path("b.igc")};
        form.LoadBtn->click();
        QCOMPARE(f.prompts.entries("error: "), QStringList{"'x' is not a valid floating point value"});
        QCOMPARE(form.Chart1->value(CurveChart::New, 8), 9.5);
        QCOMPARE(form.Chart1->value(CurveChart::New, 9), 1.0);
        QCOMPARE(form.Chart1->value(CurveChart::New, 10), 1.0);
        QCOMPARE(form.Chart1->label(8), "1500");
        QCOMPARE(form.Chart1->label(9), "2000"); // the failing row keeps its old label
    }

    void saveWritesCurveAndSettings()
    {
        FormFixture f;
        f.writeSettings("old\r\n5\r\n1\r\n8,3\r\nextra\r\n");
        TForm1 &form = f.start();
        f.prompts.log.clear();
        form.ComboBox2->setCurrentIndex(6);
        form.StringGrid1->setCell(2, 1, "30");
        f.prompts.fileAnswers = {f.path("new.igc")};
        form.SaveBtn->click();

        // The proposed name is the current curve file, "old" from the settings.
        QCOMPARE(f.prompts.log, (QStringList{"save: old", "message: " + f.path("new.igc"),
                                             QStringLiteral("message: Az adatbázis elmentve!")}));
        QCOMPARE(f.readFile("new.igc"), writeCurveFile(form.curveTexts()));
        QCOMPARE(f.readFile("Edit.txt"), (f.path("new.igc") + "\r\n7\r\n1\r\n8,3\r\n").toLatin1());
        QCOMPARE(form.windowTitle(), f.path("new.igc"));
        QCOMPARE(form.curveFile(), f.path("new.igc"));
        QVERIFY(form.LetoltBtn->isEnabled());
        // A save is not a load: the old curve still tells the edit apart.
        QCOMPARE(form.Chart1->value(CurveChart::Old, 0), 1.0);
    }

    void saveOverExistingFile_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void saveOverExistingFile()
    {
        QFETCH(bool, overwrite);
        FormFixture f;
        f.writeFile("c.igc", "keep");
        TForm1 &form = f.start();
        f.prompts.fileAnswers = {f.path("c.igc")};
        f.prompts.confirmAnswers = {overwrite};
        form.SaveBtn->click();
        QCOMPARE(f.prompts.entries("confirm: "), QStringList{QStringLiteral("A file már létezik. Felülírja?")});
        QCOMPARE(f.readFile("c.igc") == "keep", !overwrite);
        QCOMPARE(f.readFile("Edit.txt") == "<missing>", !overwrite);
        QCOMPARE(form.windowTitle() == "Form1", !overwrite);
        QCOMPARE(form.LetoltBtn->isEnabled(), overwrite);
    }

    void failedSaveClaimsNothing()
    {
        FormFixture f;
        f.writeSettings("p\r\n1\r\n0\r\n0\r\n");
        TForm1 &form = f.start();
        f.prompts.log.clear();
        const QString target = f.path("no/such/folder/c.igc");
        f.prompts.fileAnswers = {target};
        form.SaveBtn->click();
        const QStringList errors = f.prompts.entries("error: ");
        QCOMPARE(errors.size(), 1);
        // The system's own words for the missing folder end the message.
        QFile probe(target);
        QVERIFY(!probe.open(QIODevice::WriteOnly));
        QVERIFY2(errors[0].contains(QDir::toNativeSeparators(target)), qPrintable(errors[0]));
        QVERIFY2(errors[0].endsWith(probe.errorString()), qPrintable(errors[0]));
        QVERIFY(f.prompts.entries("message: Az adatbázis").isEmpty());
        QCOMPARE(f.readFile("Edit.txt"), "p\r\n1\r\n0\r\n0\r\n");
        QCOMPARE(form.windowTitle(), "Form1");
        QVERIFY(!form.LetoltBtn->isEnabled());
        QCOMPARE(form.curveFile(), "p");
    }

    void clearTable_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("speedEditing");
        QTest::newRow("No") << false << false;
        QTest::newRow("Yes, speeds fixed") << true << false;
        QTest::newRow("Yes, speeds editable") << true << true;
    }
    void clearTable()
    {
        QFETCH(bool, yes);
        QFETCH(bool, speedEditing);
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n8,3\r\n").toLatin1());
        TForm1 &form = f.start();
        if (speedEditing)
            form.EditBtn->click();
        const CurveTexts before = form.curveTexts();
        const QList<double> oldCurve = curve(form, CurveChart::Old);
        f.prompts.confirmAnswers = {yes};
        form.TorolBtn->click();

        QCOMPARE(f.prompts.log, QStringList{QStringLiteral("confirm: Biztosan törölni szeretnéd a bejegyzéseket?")});
        const CurveTexts after = form.curveTexts();
        QCOMPARE(form.LetoltBtn->isEnabled(), !yes);
        QCOMPARE(curve(form, CurveChart::Old), oldCurve);
        QCOMPARE(after.version, before.version);
        QCOMPARE(after.transparent, before.transparent);
        QCOMPARE(form.StringGrid1->fixedRows(), 4);
        if (!yes) {
            QVERIFY(after == before);
            return;
        }
        QCOMPARE(after.rows[0].rpm, speedEditing ? "650" : "700");
        QCOMPARE(after.rows[0].advance, "1");
        QCOMPARE(after.rows[1].pattern, "00000000");
        QCOMPARE(after.cylinders, "");
        QCOMPARE(after.inputPolarity, "");
        QCOMPARE(after.shiftRpm, "");
        QCOMPARE(curve(form, CurveChart::New), QList<double>(kCurveRows, 1.0));
        QCOMPARE(form.Chart1->label(0), "700");
    }

    void exitAsksOnlyAfterChanges_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QList<int>>("exits");
        QTest::newRow("No stays") << QList<bool>{false} << QList<int>{};
        QTest::newRow("Yes leaves") << QList<bool>{true} << QList<int>{0};
    }
    void exitAsksOnlyAfterChanges()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(QList<int>, exits);
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        f.writeSettings((f.path("c.igc") + "\r\n").toLatin1());
        TForm1 &form = f.start();
        f.prompts.confirmAnswers = {true, answers[0]};
        form.TorolBtn->click();
        form.KilepBtn->click();
        QCOMPARE(f.prompts.entries("confirm: ").value(1), QStringLiteral("Elmentette a változásokat?"));
        QCOMPARE(f.exits, exits);
    }

    void closeBoxAsksNothing()
    {
        FormFixture f;
        TForm1 &form = f.start();
        form.show();
        form.Chart1->setValue(CurveChart::New, 3, 20);
        QVERIFY(form.close());
        QCOMPARE(f.prompts.log, QStringList{"language: Magyar"}); // the first showing's question only
        QVERIFY(f.exits.isEmpty());
    }

    void speedEditingToggles()
    {
        FormFixture f;
        TForm1 &form = f.start();
        QVERIFY(form.StringGrid1->isFixed(1, 5));
        form.EditBtn->click();
        QCOMPARE(form.StringGrid1->fixedCols(), 1);
        QVERIFY(!form.StringGrid1->isFixed(1, 5));
        QVERIFY(form.StringGrid1->item(4, 0)->flags() & Qt::ItemIsEditable);
        form.EditBtn->click();
        QCOMPARE(form.StringGrid1->fixedCols(), 2);
        QVERIFY(!(form.StringGrid1->item(4, 0)->flags() & Qt::ItemIsEnabled));
    }

    void chartDoubleClickEnlargesAndRestores()
    {
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n").toLatin1());
        TForm1 &form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QImage home;
        QVERIFY(settle(form.Chart1, &home));
        QCOMPARE(form.Chart1->geometry(), QRect(319, 7, 314, 226));
        doubleClick(form.Chart1->viewport());
        QVERIFY(form.chartEnlarged());
        QCOMPARE(form.Chart1->geometry(), QRect(8, 7, 626, 552));
        QVERIFY(!form.StringGrid1->isVisible());
        QVERIFY(settle(form.Chart1));
        doubleClick(form.Chart1->viewport());
        QVERIFY(!form.chartEnlarged());
        QVERIFY(form.StringGrid1->isVisible());
        QImage restored;
        QVERIFY(settle(form.Chart1, &restored));
        QCOMPARE(form.Chart1->geometry(), QRect(319, 7, 314, 226));
        QVERIFY(restored == home);
    }

    // The speed labels change with the chart's width and with the speeds;
    // whatever comes in between, the chart keeps going and ends up showing
    // the current speeds.
    void chartSurvivesAnySequence_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("double-click twice at once") << QStringList{"double-click", "double-click"};
        QTest::newRow("restore, then load") << QStringList{"double-click", "settle", "double-click", "load"};
        QTest::newRow("taller, clear and switch while enlarged")
            << QStringList{"taller", "double-click", "clear", "language", "double-click", "shorter"};
        QTest::newRow("speed edit between double-clicks")
            << QStringList{"double-click", "double-click", "speed", "double-click", "settle", "double-click"};
    }
    void chartSurvivesAnySequence()
    {
        QFETCH(QStringList, steps);
        FormFixture f;
        CurveTexts other = sampleCurve();
        for (int r = 0; r < kCurveRows; ++r)
            other.rows[r].rpm = QString::number(1000 + 200 * r);
        f.writeFile("other.igc", writeCurveFile(other));
        TForm1 &form = f.start();
        QVERIFY(showActive(form));
        QVERIFY(settle(form.Chart1));
        for (const QString &step : steps) {
            if (step == "double-click") {
                doubleClick(form.Chart1->viewport());
            } else if (step == "settle") {
                QVERIFY(settle(form.Chart1));
            } else if (step == "load") {
                f.prompts.fileAnswers = {f.path("other.igc")};
                form.LoadBtn->click();
            } else if (step == "clear") {
                f.prompts.confirmAnswers = {true};
                form.TorolBtn->click();
            } else if (step == "language") {
                form.BtnNyelv->click();
            } else if (step == "taller" || step == "shorter") {
                form.resize(form.width(), step == "taller" ? 766 : 566);
            } else if (step == "speed") {
                form.EditBtn->click();
                clickCell(form.StringGrid1, 1, 1);
                typeKeys(&form, "5000");
                pressKey(&form, Qt::Key_Down);
            }
        }
        QVERIFY(settle(form.Chart1));
        QCOMPARE(form.chartEnlarged(), steps.count("double-click") % 2 == 1);
        QCOMPARE(form.StringGrid1->isVisible(), !form.chartEnlarged());
        QCOMPARE(form.Chart1->labelAxis()->categoriesLabels().value(0), form.Chart1->label(0));
        QCOMPARE(form.Chart1->label(0), form.StringGrid1->cell(1, 1));
    }

    // Zoom can always be undone: a drag up or to the left, or "restore view"
    // from the chart's right-click menu, brings back all 60 points on the
    // fixed 0 to 64 degree axis. The right button alone never zooms.
    void chartZoomIsAlwaysUndone_data()
    {
        QTest::addColumn<QStringList>("gestures");
        QTest::addColumn<bool>("zoomed");
        QTest::newRow("drag down-right zooms in") << QStringList{"zoom"} << true;
        QTest::newRow("drag up-left undoes it") << QStringList{"zoom", "zoom", "up-left"} << false;
        QTest::newRow("drag up undoes it") << QStringList{"zoom", "up"} << false;
        QTest::newRow("restore view undoes it") << QStringList{"zoom", "zoom", "restore view"} << false;
        QTest::newRow("right-click keeps it") << QStringList{"zoom", "right-click"} << true;
        QTest::newRow("right-clicks do not zoom out") << QStringList{"right-click", "right-click"} << false;
        QTest::newRow("drag up-left does not zoom") << QStringList{"up-left"} << false;
        QTest::newRow("right double-click") << QStringList{"right double-click"} << false;
    }
    void chartZoomIsAlwaysUndone()
    {
        QFETCH(QStringList, gestures);
        QFETCH(bool, zoomed);
        FormFixture f;
        TForm1 &form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(settle(form.Chart1));
        QWidget *view = form.Chart1->viewport();
        const QPoint centre = form.Chart1->chart()->plotArea().center().toPoint();
        for (const QString &gesture : gestures) {
            if (gesture == "zoom")
                drag(view, centre - QPoint(40, 40), {60, 50});
            else if (gesture == "up-left")
                drag(view, centre + QPoint(30, 30), {-60, -50});
            else if (gesture == "up")
                drag(view, centre + QPoint(0, 30), {20, -50});
            else if (gesture == "right-click")
                QTest::mouseClick(view, Qt::RightButton, {}, centre);
            else if (gesture == "restore view")
                QVERIFY(chooseFromChartMenu(form, startupTexts().window.ChartRestoreView));
            else
                doubleClick(view, Qt::RightButton);
        }
        const QValueAxis *degrees = form.Chart1->valueAxis();
        const QCategoryAxis *points = form.Chart1->labelAxis();
        const bool whole = degrees->min() == 0 && degrees->max() == 64 && points->min() == 0
                           && points->max() == CurveChart::kPoints - 1;
        QCOMPARE(!whole, zoomed);
        if (zoomed)
            QVERIFY(degrees->min() > 0 && degrees->max() < 64);
        QVERIFY(!form.chartEnlarged());
    }

    void realMessageBoxAnswersClear()
    {
        FormFixture f;
        RealPrompts real;
        TForm1 form({&real, [](int) {}, &f.comm});
        real.setParent(&form);
        form.show();
        form.StringGrid1->setCell(2, 3, "40");
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        form.TorolBtn->click();
        QCOMPARE(shown, QStringLiteral("Biztosan törölni szeretnéd a bejegyzéseket?"));
        QCOMPARE(form.StringGrid1->cell(2, 3), "1");
    }

    // The real save dialog over an existing file: the dialog as set up for
    // curve files, then the path, then the program's own question, and no
    // other question before it.
    void realSaveDialogOverAnExistingFile()
    {
        FormFixture f;
        f.writeFile("c.igc", "keep");
        RealPrompts real;
        TForm1 form({&real, [](int) {}, &f.comm});
        real.setParent(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // The user answers each modal window as it comes; the answer is given
        // outside the timer's slot, so a window that the answer opens gets its
        // turn too.
        QStringList shown;
        QString folder;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal->property("answered").toBool()) {
                // A file dialog shown again: what came in between refused the name.
                if (auto *dialog = qobject_cast<QFileDialog *>(modal))
                    dialog->reject();
                return;
            }
            modal->setProperty("answered", true);
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                QVERIFY(name);
                shown << "file dialog: " + dialog->nameFilters().join(';') + " | " + dialog->defaultSuffix()
                             + " | " + name->text();
                folder = dialog->directory().absolutePath();
                QTimer::singleShot(0, name, [name] {
                    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(name, "c");
                    QTest::keyClick(name, Qt::Key_Return);
                });
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                shown << box->text();
                QAbstractButton *answer = box->button(box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
                QTimer::singleShot(0, answer, &QAbstractButton::click);
            }
        });
        user.start();
        form.SaveBtn->click();
        user.stop();

        const QStringList expected{QStringLiteral("file dialog: Előgyujtás tábla (*.igc) | igc | elso.igc"),
                                   f.path("c.igc"), QStringLiteral("A file már létezik. Felülírja?")};
        QCOMPARE(shown.join(" / "), expected.join(" / "));
        QVERIFY(QDir(folder) == QDir(f.path(".")));
        QCOMPARE(f.readFile("c.igc"), "keep");
        QCOMPARE(form.windowTitle(), "Form1");
    }

    // No caption runs under the control beside it, in either language, with
    // the fonts the system has (ctest runs this once more with DejaVu Sans as
    // the only font). Pictures of the window are left for checking by eye,
    // named with TEST_PICTURE_SUFFIX.
    void captionsKeepClearOfTheirControls_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("picture");
        QTest::newRow("Magyar") << QByteArray("0") << "main_window";
        QTest::newRow("English") << QByteArray("1") << "main_window_en";
    }
    void captionsKeepClearOfTheirControls()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, picture);
        // Measured in a font a Debian system has; without it every text is
        // an empty box and the measure says nothing.
        const QString font = qEnvironmentVariable("TEST_FONT");
        if (!font.isEmpty() && !QFontDatabase::families().contains(font))
            QFAIL(qPrintable(font + " is not installed: install the package "
                             + qEnvironmentVariable("TEST_FONT_PACKAGE")));
        FormFixture f;
        f.writeFile("c.igc", writeCurveFile(sampleCurve()));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n" + language + "\r\n8,3\r\n").toLatin1());
        TForm1 &form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(settle(form.Chart1));
        QDir().mkpath(TEST_OUTPUT_DIR);
        QVERIFY(form.grab().save(QStringLiteral(TEST_OUTPUT_DIR "/") + picture
                                 + qEnvironmentVariable("TEST_PICTURE_SUFFIX") + ".png"));

        form.ComBtn->click(); // the port panel, with its caption
        const std::pair<QLabel *, QWidget *> captions[] = {
            {form.Label1, form.ComboBox1}, {form.Label2, form.Edit1},     {form.Label3, form.Edit2},
            {form.Label4, form.Edit3},     {form.Label5, form.ComboBox3}, {form.Label7, form.ComboBox4},
            {form.Label6, form.ComboBox2}, {form.Label8, form.Label9},    {form.Label9, form.Label10},
            {form.Label10, nullptr}};
        for (const auto &[caption, beside] : captions) {
            const int clearOf = beside ? beside->x() : form.Panel2->contentsRect().right() + 1;
            const int end = inkEnd(caption);
            // With room to spare the text ends at the same place: none of it is cut off.
            const QSize size = caption->size();
            caption->resize(size.width() + 40, size.height());
            const int uncut = inkEnd(caption);
            caption->resize(size);
            const QString what = caption->objectName() + " \"" + caption->text() + "\" ends at "
                                 + QString::number(uncut) + ", next thing at " + QString::number(clearOf);
            QVERIFY2(end == uncut, qPrintable(what + ", cut off at " + QString::number(end)));
            QVERIFY2(uncut < clearOf, qPrintable(what));
        }
    }

    void layoutAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("StringGrid1") << "StringGrid1" << QRect(7, 65, 298, 492);
        QTest::newRow("Panel1") << "Panel1" << QRect(319, 244, 314, 202);
        QTest::newRow("Panel3") << "Panel3" << QRect(319, 508, 312, 46);
        QTest::newRow("Panel4") << "Panel4" << QRect(7, 7, 299, 50);
        QTest::newRow("Panel2") << "Panel2" << QRect(320, 448, 313, 57);
        QTest::newRow("LoadBtn") << "LoadBtn" << QRect(7, 13, 52, 28);
        QTest::newRow("HelpBtn") << "HelpBtn" << QRect(267, 13, 26, 28);
        QTest::newRow("ComboBox1") << "ComboBox1" << QRect(200, 7, 87, 24);
        QTest::newRow("Edit3") << "Edit3" << QRect(200, 104, 87, 24);
        QTest::newRow("ComboBox4") << "ComboBox4" << QRect(200, 169, 87, 24);
        QTest::newRow("EditVerzio") << "EditVerzio" << QRect(8, 24, 41, 21);
        QTest::newRow("BitBtn1") << "BitBtn1" << QRect(48, 24, 33, 21);
        QTest::newRow("CBTransparencia") << "CBTransparencia" << QRect(200, 24, 97, 21);
        QTest::newRow("KilepBtn") << "KilepBtn" << QRect(12, 13, 69, 20);
        QTest::newRow("LetoltBtn") << "LetoltBtn" << QRect(224, 13, 79, 20);
        QTest::newRow("Panel5") << "Panel5" << QRect(0, 0, 312, 46);
        QTest::newRow("ComboBox2") << "ComboBox2" << QRect(91, 13, 46, 21);
        QTest::newRow("ComOkBtn") << "ComOkBtn" << QRect(228, 8, 60, 28);
    }
    void layoutAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        FormFixture f;
        TForm1 &form = f.start();
        auto *widget = form.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
    }

    void windowSizeLimitsAndAnchors()
    {
        FormFixture f;
        TForm1 &form = f.start();
        form.show();
        QCOMPARE(form.size(), QSize(642, 566));
        QCOMPARE(form.minimumSize(), QSize(642, 566));
        QCOMPARE(form.maximumSize(), QSize(642, 766));
        form.resize(642, 766);
        QCOMPARE(form.StringGrid1->geometry(), QRect(7, 65, 298, 692));
        QCOMPARE(form.Chart1->geometry(), QRect(319, 7, 314, 226));
        QCOMPARE(form.Panel1->geometry(), QRect(319, 244, 314, 202));
        QCOMPARE(form.Panel3->y(), 696); // its centre stays at 531/566 of the height
        form.resize(642, 566);
        QCOMPARE(form.Panel3->y(), 508);
    }

    void controlsAsDesigned()
    {
        FormFixture f;
        TForm1 &form = f.start();
        auto items = [](const QComboBox *list) {
            QStringList texts;
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
            return texts;
        };
        QCOMPARE(items(form.ComboBox1), (QStringList{"1", "2", "3", "4", "5", "6", "8"}));
        QCOMPARE(items(form.ComboBox2).size(), 16);
        QCOMPARE(items(form.CBZaraskorrekcio).last(), "15");
        QCOMPARE(items(form.ComboBox3), (QStringList{QStringLiteral("Lefutó"), QStringLiteral("Felfutó")}));
        QCOMPARE(items(form.ComboBox4), (QStringList{QStringLiteral("Felfutó"), QStringLiteral("Lefutó")}));
        QVERIFY(!form.CBZaraskorrekcio->isEnabled() && !form.CBTransparencia->isEnabled());
        QVERIFY(form.Panel5->isHidden());
        QCOMPARE(form.font().pixelSize(), 10);
        QCOMPARE(form.Label3->font().pixelSize(), 15);
        QCOMPARE(form.Edit1->font().pixelSize(), 15);
        QCOMPARE(form.ComboBox2->font().pixelSize(), 11);
        QCOMPARE(form.Label8->font().pixelSize(), 10);
        QCOMPARE(form.BtnNyelv->toolTip(), "Nyelv/Language");
        // The icon is linked in, and is the desktop menu's picture.
        const auto premultiplied = [](const QImage &image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); };
        QCOMPARE(premultiplied(form.windowIcon().pixmap(48).toImage()),
                 premultiplied(QImage(QStringLiteral(IGC_SOURCE_DIR "/dist/icons/igcedit-48.png"))));

        for (QTimer *timer : {form.Timer1, form.Timer2}) {
            QVERIFY(timer->isSingleShot() && !timer->isActive());
            QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        }
        // Timer1 hands the frame to the session before the BREAK's end.
        QCOMPARE(form.Timer1->interval(), kDownloadBreakMs - kFrameLeadMs);
        QCOMPARE(form.Timer2->interval(), 1500);

        QStringList menu;
        for (const QAction *item : form.PopupMenu1->actions())
            menu << item->objectName() + "=" + item->text();
        QCOMPARE(menu, (QStringList{"N000000001=00000000", "N100000001=10000000", "N101000001=10100000",
                                    "N010100001=01010000", "N101001011=10100101", "N010111111=01011111",
                                    "N101011111=10101111", "N111111111=11111111"}));

        QCOMPARE(form.Chart1->chart()->title(), "Grafikon");
        QCOMPARE(form.Chart1->series(CurveChart::Old)->name(), QStringLiteral("Régi"));
        QCOMPARE(form.Chart1->series(CurveChart::Old)->color(), QColor(0, 128, 255));
        QCOMPARE(form.Chart1->series(CurveChart::New)->name(), QStringLiteral("Új"));
        QCOMPARE(form.Chart1->series(CurveChart::New)->color(), QColor(Qt::red));
    }

    void tabOrderAsDesigned()
    {
        FormFixture f;
        TForm1 &form = f.start();
        const QStringList expected = {"StringGrid1", "ComboBox1", "Edit1", "Edit2", "Edit3", "ComboBox3",
                                      "ComboBox4", "LetoltBtn", "ComBtn", "ComboBox2", "ComOkBtn", "KilepBtn",
                                      "BtnNyelv", "LoadBtn", "SaveBtn", "EditBtn", "TorolBtn", "HelpBtn",
                                      "Chart1", "EditVerzio", "CBZaraskorrekcio", "CBTransparencia", "BitBtn1"};
        QStringList chain;
        QWidget *w = form.StringGrid1;
        do {
            if (expected.contains(w->objectName()))
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != form.StringGrid1);
        QCOMPARE(chain, expected);
    }

    void enterPressesOkOnlyOnPortPanel()
    {
        FormFixture f;
        TForm1 &form = f.start();
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QSignalSpy clicks(form.ComOkBtn, &QPushButton::clicked);
        form.Edit1->setFocus();
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        // An activated shortcut would have pressed the button at once.
        QVERIFY(!form.ComOkBtn->isDown());
        QCOMPARE(clicks.size(), 0);
        form.Panel5->show();
        form.ComboBox2->setFocus();
        QTest::keyClick(form.ComboBox2, Qt::Key_Return);
        QVERIFY(form.ComOkBtn->isDown());
        QTRY_COMPARE(clicks.size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
