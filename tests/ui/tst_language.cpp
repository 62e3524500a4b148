#include "core/win1250.h"
#include "form_fixture.h"
#include "ui/curve_chart.h"
#include "ui/help_form.h"
#include "ui/main_window.h"
#include "ui/nyelv_form.h"
#include "ui/string_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The slots by name, for the text table below.
const QHash<QString, QString TextSlots::*> &slotMembers()
{
    static const QHash<QString, QString TextSlots::*> members = {
        {"MsgColNo", &TextSlots::MsgColNo},
        {"MsgColRpm", &TextSlots::MsgColRpm},
        {"MsgColAdvance", &TextSlots::MsgColAdvance},
        {"MsgColInhibit", &TextSlots::MsgColInhibit},
        {"MsgBadDwellAngleWide", &TextSlots::MsgBadDwellAngleWide},
        {"MsgBadDwellAngleNarrow", &TextSlots::MsgBadDwellAngleNarrow},
        {"MsgBadDwellTime", &TextSlots::MsgBadDwellTime},
        {"MsgBadOpeningTime", &TextSlots::MsgBadOpeningTime},
        {"MsgBadShiftRpm", &TextSlots::MsgBadShiftRpm},
        {"MsgRangeRpm", &TextSlots::MsgRangeRpm},
        {"MsgRangeAdvance", &TextSlots::MsgRangeAdvance},
        {"MsgRangeInhibit", &TextSlots::MsgRangeInhibit},
        {"MsgTableError", &TextSlots::MsgTableError},
        {"MsgDownloadError", &TextSlots::MsgDownloadError},
        {"MsgDownloadDone", &TextSlots::MsgDownloadDone},
        {"MsgCannotOpen", &TextSlots::MsgCannotOpen},
        {"MsgBadFile", &TextSlots::MsgBadFile},
        {"MsgConfirmClear", &TextSlots::MsgConfirmClear},
        {"MsgSaved", &TextSlots::MsgSaved},
        {"MsgOverwrite", &TextSlots::MsgOverwrite},
        {"MsgSaveChanges", &TextSlots::MsgSaveChanges},
    };
    return members;
}

QString items(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts.join('|');
}

// What the window shows under a name of the text table.
QString shownText(FormFixture &f, const QString &name)
{
    TForm1 &form = f.form();
    if (slotMembers().contains(name))
        return form.textSlots().*slotMembers().value(name);
    if (name == "HelpFileName")
        return form.helpFileName();
    if (name == "EndhelpBtn")
        return f.form().helpForm()->EndhelpBtn->text();
    if (name == "Chart1")
        return form.Chart1->chart()->title();
    if (name == "Series1")
        return form.Chart1->series(CurveChart::Old)->name();
    if (name == "Series2")
        return form.Chart1->series(CurveChart::New)->name();
    if (auto *list = form.findChild<QComboBox *>(name))
        return items(list);
    if (auto *label = form.findChild<QLabel *>(name))
        return label->text();
    return form.findChild<QPushButton *>(name)->text();
}

QStringList headerRow(const TForm1 &form)
{
    QStringList cells;
    for (int c = 0; c < StringGrid::kColumns; ++c)
        cells << form.StringGrid1->cell(c, 0);
    return cells;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

    // Three windows, each shown once: stored language 0 (the texts it was
    // built with), 2 (the Hungarian set applied) and 1 (English).
    std::unique_ptr<FormFixture> startup_, hungarian_, english_;

    static std::unique_ptr<FormFixture> shownWith(const QByteArray &language)
    {
        auto f = std::make_unique<FormFixture>();
        f->writeSettings("\r\n1\r\n" + language + "\r\n");
        f->start().show();
        return f;
    }

private slots:
    void initTestCase()
    {
        startup_ = shownWith("0");
        hungarian_ = shownWith("2");
        english_ = shownWith("1");
    }
    void cleanupTestCase()
    {
        english_.reset();
        hungarian_.reset();
        startup_.reset();
    }

    // Every text as Windows-1250 bytes, one column per set; "|" separates
    // the items of a list.
    void texts_data()
    {
        QTest::addColumn<QByteArray>("startup");
        QTest::addColumn<QByteArray>("hungarian");
        QTest::addColumn<QByteArray>("english");
        QTest::newRow("Label1") << QByteArray("Hengerek sz\xe1ma :") << QByteArray("Hengerek sz\xe1ma:") << QByteArray("No. of Cylinders:");
        QTest::newRow("Label2") << QByteArray("V\xe1lt\xe1s jelz\xf5 ford. sz\xe1m :") << QByteArray("V\xe1lt\xe1s jelz\xf5 ford.sz\xe1m:") << QByteArray("Shift Light rpm:");
        QTest::newRow("Label3") << QByteArray("Nyit\xe1s (ms/vez\xe9rl\xe9si m\xf3" "d) :") << QByteArray("Nyit\xe1s (ms/vez\xe9rl\xe9si m\xf3" "d):") << QByteArray("Opening Time (ms/mode):");
        QTest::newRow("Label4") << QByteArray("Z\xe1r\xe1s (ms/z\xe1r\xe1si sz\xf6g(fok)) :") << QByteArray("Z\xe1r\xe1s (ms/z\xe1r\xe1si sz\xf6g (fok)):") << QByteArray("Dwell Time (ms/deg):");
        QTest::newRow("Label5") << QByteArray("Vez\xe9rl\xf5 \xe9l polarit\xe1s :") << QByteArray("Vez\xe9rl\xf5 \xe9l polarit\xe1s:") << QByteArray("Input Edge Polarity:");
        QTest::newRow("Label7") << QByteArray("Kimeneti polarit\xe1s :") << QByteArray("Kimeneti polarit\xe1s:") << QByteArray("Output Edge Polarity:");
        QTest::newRow("Label8") << QByteArray("Verzi\xf3:") << QByteArray("Verzi\xf3:") << QByteArray("Version:");
        QTest::newRow("Label9") << QByteArray("Z\xe1r\xe1sid\xf5 korrekci\xf3:") << QByteArray("Z\xe1r\xe1sid\xf5 korrekci\xf3:") << QByteArray("Dwell correction:");
        QTest::newRow("Label10") << QByteArray("Transzparens s\xe1vok:") << QByteArray("Transzparens s\xe1vok:") << QByteArray("Transparent ranges:");
        QTest::newRow("ComboBox3") << QByteArray("Lefut\xf3|Felfut\xf3") << QByteArray("Lefut\xf3|Felfut\xf3") << QByteArray("Falling|Rising");
        QTest::newRow("ComboBox4") << QByteArray("Felfut\xf3|Lefut\xf3") << QByteArray("Felfut\xf3|Lefut\xf3") << QByteArray("Rising|Falling");
        QTest::newRow("KilepBtn") << QByteArray("Kil\xe9p\xe9s") << QByteArray("Kil\xe9p") << QByteArray("Exit");
        QTest::newRow("LetoltBtn") << QByteArray("Let\xf6lt\xe9s") << QByteArray("Let\xf6lt\xe9s") << QByteArray("Download");
        QTest::newRow("Series1") << QByteArray("R\xe9gi") << QByteArray("R\xe9gi") << QByteArray("Old");
        QTest::newRow("Series2") << QByteArray("\xdaj") << QByteArray("\xdaj") << QByteArray("New");
        QTest::newRow("Chart1") << QByteArray("Grafikon") << QByteArray("Grafikon") << QByteArray("Graph");
        QTest::newRow("HelpFileName") << QByteArray("Help.rtf") << QByteArray("Help.rtf") << QByteArray("Help_eng.rtf");
        QTest::newRow("EndhelpBtn") << QByteArray("Vissza") << QByteArray("Vissza") << QByteArray("Back");
        QTest::newRow("MsgColNo") << QByteArray("#") << QByteArray("#") << QByteArray("#");
        QTest::newRow("MsgColRpm") << QByteArray("Ford.sz\xe1m") << QByteArray("Ford.sz\xe1m") << QByteArray("RPM");
        QTest::newRow("MsgColAdvance") << QByteArray("El\xf5gy\xfajt\xe1s") << QByteArray("El\xf5gy\xfajt\xe1s") << QByteArray("Ign. Advance");
        QTest::newRow("MsgColInhibit") << QByteArray("Tilt\xe1s") << QByteArray("Tilt\xe1s") << QByteArray("Inh. Pattern");
        QTest::newRow("MsgBadDwellAngleWide") << QByteArray("       Hib\xe1s \xe9rt\xe9k!\nA z\xe1r\xe1si sz\xf6g 50 - 510 k\xf6z\xe9 eshet!") << QByteArray("Megengedett \xe9rt\xe9k: 50 - 510 !") << QByteArray("Allowed Range: 50 - 510 !");
        QTest::newRow("MsgBadDwellAngleNarrow") << QByteArray("       Hib\xe1s \xe9rt\xe9k!\nA z\xe1r\xe1si sz\xf6g 160 - 200 k\xf6z\xe9 eshet!") << QByteArray("Megengedett \xe9rt\xe9k: 160 - 200 !") << QByteArray("Allowed Range: 160 - 200 !");
        QTest::newRow("MsgBadDwellTime") << QByteArray("       Hib\xe1s \xe9rt\xe9k!\nA z\xe1r\xe1si id\xf5 0,5 - 10 k\xf6z\xe9 eshet!") << QByteArray("Megengedett \xe9rt\xe9k: 0,5 - 10 !") << QByteArray("Allowed Range: 0,5 - 10 !");
        QTest::newRow("MsgBadOpeningTime") << QByteArray("       Hib\xe1s \xe9rt\xe9k!\nA nyit\xe1si id\xf5 0,2 - 2,0 k\xf6z\xe9 eshet!\nVagy a '*' karakter megengedett!") << QByteArray("Megengedett \xe9rt\xe9k: 0,2 - 2,0 !") << QByteArray("Allowed Range: 0,2 - 2,0 !");
        QTest::newRow("MsgBadShiftRpm") << QByteArray("       Hib\xe1s \xe9rt\xe9k!\nA fordulatsz\xe1m 600 - 18000 k\xf6z\xe9 eshet!") << QByteArray("Megengedett \xe9rt\xe9k: 600 - 18000 !") << QByteArray("Allowed Range: 600 - 18000 !");
        QTest::newRow("MsgRangeRpm") << QByteArray("Az \xe9rt\xe9k 600 - 18000 k\xf6z\xf6tt lehet!") << QByteArray("Megengedett \xe9rt\xe9k: 600 - 18000 !") << QByteArray("Allowed Range: 600 - 18000 !");
        QTest::newRow("MsgRangeAdvance") << QByteArray("Az \xe9rt\xe9k 0,5 - 63,5 k\xf6z\xf6tt lehet!") << QByteArray("Megengedett \xe9rt\xe9k: 0,5 - 63,5 !") << QByteArray("Allowed Range: 0,5 - 63,5 !");
        QTest::newRow("MsgRangeInhibit") << QByteArray("Az \xe9rt\xe9k 0 - 11111111 k\xf6z\xf6tti bin\xe1ris sz\xe1m!") << QByteArray("Megengedett \xe9rt\xe9k: 0 - 11111111 bin\xe1ris form\xe1" "ban !") << QByteArray("Allowed Range: 0 - 11111111 binary !");
        QTest::newRow("MsgTableError") << QByteArray("Hiba az adatt\xe1" "bl\xe1n, vagy a param\xe9terek k\xf6z\xf6tt!\n K\xe9rem ellen\xf5rizze az adatokat!") << QByteArray("Hiba az adatt\xe1" "bl\xe1n, vagy a param\xe9terek k\xf6z\xf6tt!\n K\xe9rem ellen\xf5rizze az adatokat!") << QByteArray("Parameter or data error!\n Please check!");
        QTest::newRow("MsgDownloadError") << QByteArray("Hiba a let\xf6lt\xe9sben!  ") << QByteArray("Hiba a let\xf6lt\xe9s k\xf6zben!") << QByteArray("Download error!  ");
        QTest::newRow("MsgDownloadDone") << QByteArray("A let\xf6lt\xe9s befejezve!") << QByteArray("Let\xf6lt\xe9s ok!") << QByteArray("Download ok!");
        QTest::newRow("MsgCannotOpen") << QByteArray("Nem tudom megnyitni az \xe1llom\xe1nyt!\n") << QByteArray("Nem tudom megnyitni az \xe1llom\xe1nyt!\n") << QByteArray("File alreadi exists!\n");
        QTest::newRow("MsgBadFile") << QByteArray("Nem megfele\xf5 adat\xe1llom\xe1ny!") << QByteArray("Nem megfelel\xf5 adat\xe1llom\xe1ny!") << QByteArray("File is bad!");
        QTest::newRow("MsgConfirmClear") << QByteArray("Biztosan t\xf6r\xf6lni szeretn\xe9" "d a bejegyz\xe9seket?") << QByteArray("Biztosan t\xf6r\xf6lni szeretn\xe9" "d a bejegyz\xe9seket?") << QByteArray("Are You Sure?");
        QTest::newRow("MsgSaved") << QByteArray("Az adatb\xe1zis elmentve!") << QByteArray("Adatok elmentve!") << QByteArray("Saved!");
        QTest::newRow("MsgOverwrite") << QByteArray("A file m\xe1r l\xe9tezik. Fel\xfcl\xedrja?") << QByteArray("A file m\xe1r l\xe9tezik. Fel\xfcl\xedrja?") << QByteArray("Overwrite?");
        QTest::newRow("MsgSaveChanges") << QByteArray("Elmentette a v\xe1ltoz\xe1sokat?") << QByteArray("Elmentette a v\xe1ltoz\xe1sokat?") << QByteArray("Apllication close...");
    }
    void texts()
    {
        QFETCH(QByteArray, startup);
        QFETCH(QByteArray, hungarian);
        QFETCH(QByteArray, english);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QCOMPARE(shownText(*startup_, name), decodeWin1250(startup));
        QCOMPARE(shownText(*hungarian_, name), decodeWin1250(hungarian));
        QCOMPARE(shownText(*english_, name), decodeWin1250(english));
        // The code page holds every letter, so the texts survive the files.
        QCOMPARE(encodeWin1250(shownText(*english_, name)), english);
        QCOMPARE(encodeWin1250(shownText(*hungarian_, name)), hungarian);
    }

    void headerRowFollowsLanguage()
    {
        QCOMPARE(headerRow(english_->form()), (QStringList{"#", "RPM", "Ign. Advance", "Inh. Pattern"}));
        QCOMPARE(headerRow(startup_->form()),
                 (QStringList{"#", QStringLiteral("Ford.szám"), QStringLiteral("Előgyújtás"), QStringLiteral("Tiltás")}));
        // A clear writes the header row from the slots, so it stays English.
        english_->prompts.confirmAnswers = {true};
        english_->form().TorolBtn->click();
        QCOMPARE(headerRow(english_->form()), (QStringList{"#", "RPM", "Ign. Advance", "Inh. Pattern"}));
    }

    void firstShow_data()
    {
        QTest::addColumn<QByteArray>("settings"); // "<missing>" or the file
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("exitCaption");

        const QString startup = QStringLiteral("Kilépés");
        const QString hungarian = QStringLiteral("Kilép");
        const QStringList none;
        QTest::newRow("no settings, Magyar left chosen") << QByteArray("<missing>") << QList<int>{} << QStringList{"Magyar"} << 0 << startup;
        QTest::newRow("no settings, English") << QByteArray("<missing>") << QList<int>{1} << QStringList{"English"} << 1 << "Exit";
        QTest::newRow("two lines, English") << QByteArray("\r\n1\r\n") << QList<int>{1} << QStringList{"English"} << 1 << "Exit";
        QTest::newRow("stored 0") << QByteArray("\r\n1\r\n0\r\n") << QList<int>{} << none << 0 << startup;
        QTest::newRow("stored 1") << QByteArray("\r\n1\r\n1\r\n") << QList<int>{} << none << 1 << "Exit";
        QTest::newRow("stored 2") << QByteArray("\r\n1\r\n2\r\n") << QList<int>{} << none << 2 << hungarian;
        QTest::newRow("stored -5") << QByteArray("\r\n1\r\n-5\r\n") << QList<int>{0} << QStringList{"Magyar"} << 0 << startup;
        QTest::newRow("not an integer, English") << QByteArray("\r\n1\r\nen\r\n8,3\r\n") << QList<int>{1} << QStringList{"English"} << 1 << "Exit";
    }
    void firstShow()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, asked);
        QFETCH(int, language);
        QFETCH(QString, exitCaption);
        FormFixture f;
        f.writeSettings(settings);
        TForm1 &form = f.start();
        f.prompts.log.clear();
        f.prompts.languageAnswers.assign(answers.begin(), answers.end());
        form.show();

        QCOMPARE(f.prompts.entries("language: "), asked);
        QCOMPARE(form.language(), language);
        QCOMPARE(form.KilepBtn->text(), exitCaption);
        // The choice is not written.
        QCOMPARE(f.readFile("Edit.txt"), settings);
    }

    // The real dialog, as laid out; however it closes, the item shown counts.
    void realLanguageDialog_data()
    {
        QTest::addColumn<bool>("byOk");
        QTest::newRow("OK") << true;
        QTest::newRow("close box") << false;
    }
    void realLanguageDialog()
    {
        QFETCH(bool, byOk);
        FormFixture f;
        f.prompts.realLanguageDialog = true;
        TForm1 &form = f.start();

        QString shown;
        QTimer::singleShot(0, [&] {
            auto *nyelv = qobject_cast<TNyelvForm *>(QApplication::activeModalWidget());
            QVERIFY(nyelv);
            shown = QStringLiteral("%1 %2x%3 at %4,%5 [%6] %7").arg(nyelv->windowTitle())
                        .arg(nyelv->width()).arg(nyelv->height()).arg(nyelv->x()).arg(nyelv->y())
                        .arg(items(nyelv->CBNyelv)).arg(nyelv->CBNyelv->currentText());
            QVERIFY(nyelv->BitBtn1->isDefault());
            nyelv->CBNyelv->setCurrentIndex(1);
            if (byOk)
                nyelv->BitBtn1->click();
            else
                nyelv->close();
        });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(shown, "NyelvForm 193x94 at 631,296 [Magyar|English] Magyar");
        QCOMPARE(form.language(), 1);
        QCOMPARE(f.prompts.log, QStringList{"language: English"});
        QCOMPARE(form.LetoltBtn->text(), "Download");
        QCOMPARE(f.form().helpForm()->EndhelpBtn->text(), "Back");
    }

    void switchKeepsPolaritySelections_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("output");
        QTest::newRow("rising, none") << 1 << -1;
        QTest::newRow("none, falling") << -1 << 1;
        QTest::newRow("falling, rising") << 0 << 0;
    }
    void switchKeepsPolaritySelections()
    {
        QFETCH(int, input);
        QFETCH(int, output);
        FormFixture f;
        f.writeSettings("\r\n1\r\n0\r\n");
        TForm1 &form = f.start();
        form.ComboBox3->setCurrentIndex(input);
        form.ComboBox4->setCurrentIndex(output);
        const QString inputBefore = form.ComboBox3->currentText();

        form.BtnNyelv->click();
        QCOMPARE(form.ComboBox3->currentIndex(), input);
        QCOMPARE(form.ComboBox4->currentIndex(), output);
        QCOMPARE(form.ComboBox3->currentText(),
                 QStringList({"", "Falling", "Rising"}).at(input + 1));
        form.BtnNyelv->click();
        QCOMPARE(form.ComboBox3->currentIndex(), input);
        QCOMPARE(form.ComboBox4->currentIndex(), output);
        QCOMPARE(form.ComboBox3->currentText(), inputBefore);
    }

    void languageButton_data()
    {
        QTest::addColumn<QByteArray>("before"); // "<missing>" or the file
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("exitCaption");
        QTest::newRow("no file") << QByteArray("<missing>") << QByteArray("<missing>") << 1 << "Exit";
        QTest::newRow("empty file") << QByteArray() << QByteArray() << 1 << "Exit";
        QTest::newRow("two lines, rewritten unchanged") << QByteArray("a\n3\n") << QByteArray("a\r\n3\r\n") << 1 << "Exit";
        QTest::newRow("three lines, Hungarian") << QByteArray("a\r\n3\r\n0\r\n") << QByteArray("a\r\n3\r\n1\r\n") << 1 << "Exit";
        QTest::newRow("four lines, English") << QByteArray("a\r\n3\r\n1\r\n8,3\r\n") << QByteArray("a\r\n3\r\n0\r\n8,3\r\n") << 0 << QStringLiteral("Kilép");
        QTest::newRow("six lines") << QByteArray("a\n3\n1\n8,3\nx\ny") << QByteArray("a\r\n3\r\n0\r\n8,3\r\nx\r\ny\r\n") << 0 << QStringLiteral("Kilép");
        // Any index but English reads as Hungarian, so the button goes to English.
        QTest::newRow("stored 2") << QByteArray("a\r\n3\r\n2\r\n") << QByteArray("a\r\n3\r\n1\r\n") << 1 << "Exit";
    }
    void languageButton()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(int, language);
        QFETCH(QString, exitCaption);
        FormFixture f;
        f.writeSettings(before);
        TForm1 &form = f.start();
        form.BtnNyelv->click();
        QCOMPARE(f.readFile("Edit.txt"), after);
        QCOMPARE(form.language(), language);
        QCOMPARE(form.KilepBtn->text(), exitCaption);
    }

    // The button looks for the settings file in the current directory of the
    // moment, and the next save writes there too.
    void languageButtonUsesCurrentDirectory()
    {
        FormFixture f;
        f.writeSettings("a\r\n3\r\n0\r\n");
        TForm1 &form = f.start();
        QTemporaryDir elsewhere;
        QFile other(elsewhere.filePath("Edit.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("b\r\n4\r\n0\r\n");
        other.close();
        QDir::setCurrent(elsewhere.path());

        form.BtnNyelv->click();
        QCOMPARE(f.readFile("Edit.txt"), "a\r\n3\r\n0\r\n");
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), "b\r\n4\r\n1\r\n");
        other.close();

        f.prompts.fileAnswers = {f.path("c.igc")};
        form.SaveBtn->click();
        QVERIFY(other.open(QIODevice::ReadOnly));
        QVERIFY(other.readAll().startsWith(f.path("c.igc").toLatin1() + "\r\n"));
    }

    void failedWriteKeepsLanguage()
    {
        FormFixture f;
        QVERIFY(QDir().mkpath(f.path("Edit.txt")));
        TForm1 &form = f.start();
        f.prompts.log.clear();
        const int before = form.language();
        form.BtnNyelv->click();
        QCOMPARE(f.prompts.entries("error: ").size(), 1);
        QCOMPARE(form.language(), before);
        QCOMPARE(form.KilepBtn->text(), QStringLiteral("Kilépés"));
        QCOMPARE(form.textSlots().MsgSaved, QStringLiteral("Az adatbázis elmentve!"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
