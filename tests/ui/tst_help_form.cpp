#include "form_fixture.h"
#include "help_documents.h"
#include "ui/help_form.h"
#include "ui/main_window.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

constexpr int kMaxManual = 1 << 20;
const QString kNotFound = QStringLiteral("Nincs meg a Help file!\nHelp file not found!");

QString shown(const THelpForm &viewer)
{
    return viewer.RichEdit1->toPlainText();
}

} // namespace

class TestHelpForm : public QObject {
    Q_OBJECT

    QTemporaryDir data_;

private slots:
    // The installed data folders come from XDG_DATA_DIRS (and the user's own
    // from XDG_DATA_HOME), each with the program's folder "igcedit".
    void initTestCase()
    {
        QCoreApplication::setApplicationName("igcedit");
        QVERIFY(QDir().mkpath(data_.filePath("home")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data_.filePath("home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(data_.filePath("none") + ':' + data_.filePath("share")));
    }
    void cleanup() { QDir(data_.filePath("share")).removeRecursively(); }

    void documentOfTheLanguage_data()
    {
        QTest::addColumn<QByteArray>("language"); // the stored index
        QTest::addColumn<QStringList>("present"); // in the current folder
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("text");
        const QString hungarian = QStringLiteral("Kézikönyv");
        const QStringList both{"Help.rtf", "Help_eng.rtf"};
        const QStringList none;
        QTest::newRow("Hungarian") << QByteArray("0") << both << none << hungarian;
        QTest::newRow("English") << QByteArray("1") << both << none << "Manual";
        QTest::newRow("English, only Help.rtf") << QByteArray("1") << QStringList{"Help.rtf"} << none << kNotFound;
        QTest::newRow("Hungarian, none") << QByteArray("0") << none << none << kNotFound;
        QTest::newRow("Hungarian, a folder named Help.rtf") << QByteArray("0") << QStringList{"Help.rtf/"} << none << kNotFound;
        QTest::newRow("English, installed") << QByteArray("1") << none << both << "Installed manual";
        QTest::newRow("current folder first") << QByteArray("0") << both << both << hungarian;
    }
    void documentOfTheLanguage()
    {
        QFETCH(QByteArray, language);
        QFETCH(QStringList, present);
        QFETCH(QStringList, installed);
        QFETCH(QString, text);
#ifdef Q_OS_WIN
        if (!installed.isEmpty() && present.isEmpty())
            QSKIP("Windows has no XDG data folders; there the manuals lie beside the program");
#endif
        FormFixture f;
        f.writeSettings("\r\n1\r\n" + language + "\r\n");
        for (const QString &name : present) {
            if (name.endsWith('/'))
                QVERIFY(QDir().mkpath(f.path(name)));
            else
                f.writeFile(name, name == "Help.rtf" ? "{\\rtf1\\ansicpg1250 K\\'e9zik\\'f6nyv}" : "{\\rtf1 Manual}");
        }
        const QDir installedDir(data_.filePath("share/igcedit"));
        QVERIFY(installedDir.mkpath("."));
        for (const QString &name : installed) {
            QFile file(installedDir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\\rtf1 Installed manual}");
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

    // A manual is read into a document of its own and handed over whole (a
    // megabyte of paragraphs took 15 s when the box was filled in place); one
    // beyond the bound is refused with a line that says so.
    void largeManuals_data()
    {
        QTest::addColumn<QByteArray>("manual");
        QTest::addColumn<QString>("start");
        QByteArray paragraphs = "{\\rtf1 ";
        while (paragraphs.size() < kMaxManual - 16)
            paragraphs += "Line\\par ";
        paragraphs += "}";
        QByteArray lines;
        while (lines.size() < kMaxManual - 8)
            lines += "x\n";
        QTest::newRow("a megabyte of paragraphs") << paragraphs << "Line\nLine\n";
        QTest::newRow("a megabyte of plain lines") << lines << "x\nx\n";
        QTest::newRow("beyond the bound") << QByteArray(kMaxManual + 1, 'x')
                                          << "Cannot read %DIR%" + QString(QDir::separator()) + "Help.rtf:\nThe file is larger than 1048576 bytes";
    }
    void largeManuals()
    {
        QFETCH(QByteArray, manual);
        QFETCH(QString, start);
        FormFixture f;
        f.writeFile("Help.rtf", manual);
        TForm1 &form = f.start();
        form.show();
        QElapsedTimer clock;
        clock.start();
        form.HelpBtn->click();
        QVERIFY(QTest::qWaitForWindowExposed(f.form().helpForm()));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed()) + " ms"));
        QVERIFY(shown(*f.form().helpForm()).startsWith(start.replace("%DIR%", QDir::toNativeSeparators(QDir::currentPath()))));
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
