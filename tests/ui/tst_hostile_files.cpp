#include "core/curve_file.h"
#include "file_size_limit.h"
#include "form_fixture.h"
#include "hostile_file.h"
#include "sample_curves.h"
#include "ui/main_window.h"
#include "ui/user_prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// A path of a megabyte: far beyond what any system accepts, yet Edit.txt
// holding it is within the bound of a settings file.
const QString kHugePath = "/tmp/" + QString(1000000, 'p') + "/c.igc";

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    // Edit.txt, or the curve file it names, is something no user would make
    // on purpose. The program must still give its window within a second,
    // with at most one message, and never open a FIFO.
    void startUpGivesAWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        for (const QString file : {"Edit.txt", "c.igc"}) {
            for (const QString kind : {"FIFO", "device", "folder", "binary", "huge"})
                QTest::addRow("%s %s", qPrintable(file), qPrintable(kind)) << file << kind;
        }
        QTest::newRow("Edit.txt huge path") << "Edit.txt" << "huge path";
    }
    void startUpGivesAWindow()
    {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        if (const char *why = hostileFileUnavailable(kind))
            QSKIP(why);
        FormFixture f;
        if (file == "c.igc")
            f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n0\r\n").toUtf8());
        std::unique_ptr<FifoWatch> fifo;
        if (kind == "huge path")
            f.writeSettings((kHugePath + "\r\n1\r\n0\r\n0\r\n").toUtf8());
        else
            fifo = makeHostileFile(f.path(file), kind);
        QVERIFY(kind != "FIFO" || (fifo && fifo->created()));

        QElapsedTimer clock;
        clock.start();
        TForm1 &form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed()) + " ms"));
        const QStringList shown = f.prompts.entries("message: ") + f.prompts.entries("error: ");
        QVERIFY2(shown.size() <= 1, qPrintable(shown.join(" | ").left(500)));
        // A remembered curve that is no file cannot be opened; one that is
        // too large to read is no curve file, and the box says why.
        if (file == "c.igc") {
            const TextSlots &texts = form.textSlots();
            const QString expected = kind == "binary" || kind == "huge" ? texts.MsgBadFile : texts.MsgCannotOpen;
            QVERIFY2(shown.value(0).startsWith(expected), qPrintable(shown.value(0).left(200)));
        }
        if (fifo)
            QVERIFY(!fifo->opened());
    }

    // Every box opens at once, however long the path in it: the middle of a
    // long line is elided. The text is shown as it is, never as markup.
    void boxesOpenAtOnce_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("message") << "message";
        QTest::newRow("confirm") << "confirm";
        QTest::newRow("error") << "error";
    }
    void boxesOpenAtOnce()
    {
        QFETCH(QString, box);
        RealPrompts prompts;
        QWidget parent;
        prompts.setParent(&parent);
        const QString text = "<b>Nem tudom megnyitni:</b>\n" + kHugePath;
        QString shown;
        qint64 opened = -1;
        QElapsedTimer clock;
        QTimer::singleShot(0, [&] {
            auto *messageBox = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(messageBox);
            opened = clock.elapsed();
            QCOMPARE(messageBox->textFormat(), Qt::PlainText);
            shown = messageBox->text();
            QTest::keyClick(messageBox, Qt::Key_Escape);
        });
        clock.start();
        if (box == "message")
            prompts.message(text);
        else if (box == "confirm")
            QVERIFY(!prompts.confirm(text));
        else
            prompts.error(text);
        QVERIFY2(opened >= 0 && opened < 1000, qPrintable(QString::number(opened) + " ms"));
        QVERIFY2(shown.size() < 1000, qPrintable(shown.left(300)));
        QVERIFY(shown.startsWith("<b>Nem tudom megnyitni:</b>\n/tmp/ppp"));
        QVERIFY(shown.contains(QStringLiteral("ppp…ppp")));
        QVERIFY(shown.endsWith("ppp/c.igc"));
    }

    // A save that fails half way (a full disk) says so and leaves both the
    // old curve and Edit.txt as they were.
    void saveOnAFullDisk()
    {
        if (const char *why = FileSizeLimit::unavailable)
            QSKIP(why);
        FormFixture f;
        const QByteArray oldCurve = writeCurveFile(sampleCurve());
        f.writeFile("c.igc", oldCurve);
        const QByteArray settings = (f.path("c.igc") + "\r\n1\r\n0\r\n8,3\r\n").toUtf8();
        f.writeSettings(settings);
        TForm1 &form = f.start();
        form.show();
        f.prompts.log.clear();
        f.prompts.fileAnswers = {f.path("c.igc")};
        f.prompts.confirmAnswers = {true};
        {
            FileSizeLimit limit(100);
            QVERIFY(limit.active());
            QTest::mouseClick(form.SaveBtn, Qt::LeftButton);
        }
        const QStringList log = f.prompts.log;
        QCOMPARE(log.size(), 4);
        QCOMPARE(log.mid(0, 3), (QStringList{"save: " + f.path("c.igc"), "message: " + f.path("c.igc"),
                                             QStringLiteral("confirm: A file már létezik. Felülírja?")}));
        QVERIFY2(log[3].startsWith("error: Cannot write " + f.path("c.igc")), qPrintable(log[3]));
        QCOMPARE(f.readFile("c.igc"), oldCurve);
        QCOMPARE(f.readFile("Edit.txt"), settings);
    }
};

QTEST_MAIN(TestHostileFiles)
#include "tst_hostile_files.moc"
