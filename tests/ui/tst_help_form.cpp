#include "form_fixture.h"
#include "help_documents.h"
#include "ui/help_form.h"
#include "ui/main_window.h"

#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

const QString kNotFound = QStringLiteral("Nincs meg a Help file!\nHelp file not found!");

QString shown(const THelpForm &viewer)
{
    return viewer.RichEdit1->toPlainText();
}

} // namespace

class TestHelpForm : public QObject {
    Q_OBJECT

private slots:
    void documentOfTheLanguage_data()
    {
        QTest::addColumn<QByteArray>("language"); // the stored index
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("text");
        const QString hungarian = QStringLiteral("Kézikönyv");
        QTest::newRow("Hungarian") << QByteArray("0") << QStringList{"Help.rtf", "Help_eng.rtf"} << hungarian;
        QTest::newRow("English") << QByteArray("1") << QStringList{"Help.rtf", "Help_eng.rtf"} << "Manual";
        QTest::newRow("English, only Help.rtf") << QByteArray("1") << QStringList{"Help.rtf"} << kNotFound;
        QTest::newRow("Hungarian, none") << QByteArray("0") << QStringList{} << kNotFound;
        QTest::newRow("Hungarian, a folder named Help.rtf") << QByteArray("0") << QStringList{"Help.rtf/"} << kNotFound;
    }
    void documentOfTheLanguage()
    {
        QFETCH(QByteArray, language);
        QFETCH(QStringList, present);
        QFETCH(QString, text);
        FormFixture f;
        f.writeSettings("\r\n1\r\n" + language + "\r\n");
        for (const QString &name : present) {
            if (name.endsWith('/'))
                QVERIFY(QDir().mkpath(f.path(name)));
            else
                f.writeFile(name, name == "Help.rtf" ? "{\\rtf1\\ansicpg1250 K\\'e9zik\\'f6nyv}" : "{\\rtf1 Manual}");
        }
        TForm1 &form = f.start();
        form.show();
        form.HelpBtn->click();
        QVERIFY(f.form().helpForm()->isVisible());
        QCOMPARE(shown(*f.form().helpForm()), text);
    }

    // Switching back to Hungarian and opening again shows the manual; the
    // button's caption follows at once, the text only on the next opening.
    void reopenAfterSwitch()
    {
        FormFixture f;
        f.writeSettings("\r\n1\r\n1\r\n");
        f.writeFile("Help.rtf", "{\\rtf1 Magyar}");
        TForm1 &form = f.start();
        form.show();
        form.HelpBtn->click();
        QCOMPARE(shown(*f.form().helpForm()), kNotFound);
        QCOMPARE(f.form().helpForm()->EndhelpBtn->text(), "Back");
        form.BtnNyelv->click();
        QCOMPARE(f.form().helpForm()->EndhelpBtn->text(), "Vissza");
        QCOMPARE(shown(*f.form().helpForm()), kNotFound);
        f.form().helpForm()->EndhelpBtn->click();
        QVERIFY(f.form().helpForm()->isHidden());
        form.HelpBtn->click();
        QCOMPARE(shown(*f.form().helpForm()), "Magyar");
    }

    void openingTwiceDoesNotReload()
    {
        FormFixture f;
        f.writeFile("Help.rtf", "{\\rtf1 first}");
        TForm1 &form = f.start();
        form.HelpBtn->click();
        f.writeFile("Help.rtf", "{\\rtf1 second}");
        form.HelpBtn->click();
        QCOMPARE(shown(*f.form().helpForm()), "first");
        f.form().helpForm()->close();
        form.HelpBtn->click();
        QCOMPARE(shown(*f.form().helpForm()), "second");
    }

    void layoutAndResizing_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QRect>("text");
        QTest::addColumn<QRect>("button");
        QTest::newRow("as designed") << QSize(782, 526) << QRect(7, 7, 770, 514) << QRect(7, 7, 757, 466) << QRect(352, 480, 65, 28);
        QTest::newRow("larger") << QSize(1000, 700) << QRect(7, 7, 988, 688) << QRect(7, 7, 975, 640) << QRect(461, 654, 65, 28);
        QTest::newRow("smaller") << QSize(400, 300) << QRect(7, 7, 388, 288) << QRect(7, 7, 375, 240) << QRect(161, 254, 65, 28);
    }
    void layoutAndResizing()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, panel);
        QFETCH(QRect, text);
        QFETCH(QRect, button);
        THelpForm viewer([] { return QStringLiteral("Help.rtf"); });
        QCOMPARE(viewer.windowTitle(), "Help");
        QVERIFY(viewer.RichEdit1->isReadOnly());
        viewer.show();
        viewer.resize(size);
        QCOMPARE(viewer.Panel2->geometry(), panel);
        QCOMPARE(viewer.RichEdit1->geometry(), text);
        QCOMPARE(viewer.EndhelpBtn->geometry(), button);
    }

    // The shipped manuals open at their title, drawn as a title, with no RTF
    // left over in the text. Pictures of both are left for checking by eye.
    void shippedManuals_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("help_hu") << QByteArray("0") << QStringLiteral("igcedit – Felhasználói kézikönyv");
        QTest::newRow("help_en") << QByteArray("1") << QStringLiteral("igcedit – User manual");
    }
    void shippedManuals()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, title);
        FormFixture f;
        f.writeSettings("\r\n1\r\n" + language + "\r\n");
        f.writeFile("Help.rtf", helpDocument("Help.rtf"));
        f.writeFile("Help_eng.rtf", helpDocument("Help_eng.rtf"));
        TForm1 &form = f.start();
        form.show();
        form.HelpBtn->click();
        THelpForm *viewer = f.form().helpForm();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QTextBlock first = viewer->RichEdit1->document()->firstBlock();
        QCOMPARE(first.text(), title);
        // Bold, and larger than the line under it.
        const QFont titleFont = first.begin().fragment().charFormat().font();
        const QFont nextFont = first.next().begin().fragment().charFormat().font();
        QVERIFY(titleFont.bold());
        QVERIFY(titleFont.pointSizeF() > nextFont.pointSizeF());
        QCOMPARE(viewer->RichEdit1->verticalScrollBar()->value(), 0);
        const QString text = shown(*viewer);
        QVERIFY(text.size() > 5000);
        QVERIFY(!text.contains('\\') && !text.contains('{') && !text.contains('}'));
        QDir().mkpath(TEST_OUTPUT_DIR);
        QVERIFY(viewer->grab().save(QStringLiteral(TEST_OUTPUT_DIR "/%1.png").arg(QTest::currentDataTag())));
    }
};

QTEST_MAIN(TestHelpForm)
#include "tst_help_form.moc"
