// For the same curve file, igctool's frame is byte for byte what the window
// sends over the real serial line after loading the file and pressing the
// download button, and the tool refuses where the window refuses.
#include "core/curve_file.h"
#include "form_fixture.h"
#include "pty_pair.h"
#include "sample_curves.h"
#include "serial/download_session.h"
#include "serial/serial_comm.h"
#include "tool_run.h"
#include "ui/main_window.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestToolMatchesWindow : public QObject {
    Q_OBJECT

private slots:
    // The curves of the frame tests, with and without the options value,
    // and some the check refuses.
    void sameFrame_data()
    {
        QTest::addColumn<QStringList>("changes");
        const QStringList curves[] = {
            {}, {"version=8,3"}, {"version=8.3", "corr=15", "transp=0"}, {"version=8,2999"},
            {"in=Felfutó", "out=Felfutó"}, {"in=Lefutó", "out=Lefutó"}, {"in=Rising", "out=Falling"},
            {"in=felfutó", "out=Rising"}, {"in=rising"}, {"advance=12,3"}, {"advance=63,5"}, {"advance=0,5"},
            {"advance60=30"}, {"advance1=30"}, {"pattern60=10100000"}, {"pattern1=00000001"},
            {"opening=0,2"}, {"opening=2"}, {"opening=0,256"}, {"opening=*", "dwell=510"},
            {"opening=#", "dwell=180"}, {"opening=*", "dwell=50"}, {"dwell=10"}, {"dwell=0,5"},
            {"cylinders=8", "shift=18000"}, {"cylinders=8"}, {"cylinders=1", "shift=600"},
            {"rpm=17000", "rpm3=600"}, {"cylinders=7"}, {"version=8,3", "corr=999999999"},
            {"version=9", "transp=16"}, {"advance17=70"}, {"pattern9=0000000"},
        };
        for (const QStringList &changes : curves)
            QTest::newRow(qPrintable(changes.isEmpty() ? QStringLiteral("example") : changes.join(' '))) << changes;
    }
    void sameFrame()
    {
        QFETCH(QStringList, changes);
        QVERIFY2(pty_.isValid(), "no pseudo-terminal");
        pty_.forget();
        FormFixture f;
        TComm comm([this] { return QStringList{pty_.slavePath()}; });
        f.serialLine = &comm;
        f.writeFile("c.igc", writeCurveFile(exampleCurveWith(changes)));
        f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n0\r\n").toLocal8Bit());
        TForm1 &form = f.start();
        // Start-up puts the settings file's version in the field; loading
        // the file puts the file's own there, as the user sees it.
        f.prompts.fileAnswers.push_back(f.path("c.igc"));
        form.LoadBtn->click();
        f.prompts.log.clear();
        form.LetoltBtn->click();
        const bool windowSends = form.Timer1->isActive();
        if (windowSends) {
            QSignalSpy finished(&form.downloadSession(), &DownloadSession::finished);
            form.Timer1Timer();
            QVERIFY(finished.wait(5000));
        }

        const ToolRun tool = runTool({"frame", "c.igc", "--raw"}, f.path(""));
        if (!windowSends) {
            QCOMPARE(f.prompts.log, QStringList{"message: " + form.textSlots().MsgTableError});
            QCOMPARE(tool.status, 1);
            QCOMPARE(tool.out, "");
            return;
        }
        QCOMPARE(f.prompts.log, QStringList{"message: " + form.textSlots().MsgDownloadDone});
        QCOMPARE(tool.status, 0);
        QCOMPARE(pty_.waitForBytes(tool.out.size(), 2000), tool.out);
        QVERIFY(tool.out.size() == 381 || tool.out.size() == 384);
    }

private:
    PtyPair pty_;
};

QTEST_MAIN(TestToolMatchesWindow)
#include "tst_tool_matches_window.moc"
