#include "core/check_notes.h"
#include "core/download_check.h"
#include "sample_curves.h"

#include <QTest>

namespace {

QStringList refusalTexts(const CurveTexts &texts, bool versionFlag)
{
    QStringList lines;
    for (const Refusal &refusal : downloadRefusals(texts, versionFlag))
        lines << refusalText(refusal);
    return lines;
}

} // namespace

class TestDownloadCheck : public QObject {
    Q_OBJECT

private slots:
    // Every refusal, each saying which row or field and why.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<bool>("versionFlag");
        QTest::addColumn<QStringList>("refusals");
        QTest::newRow("none") << QStringList{} << true << QStringList{};
        QTest::newRow("advance of row 17")
            << QStringList{"advance17=70"} << false << QStringList{"row 17: advance 70 is outside 0,5 – 63,5"};
        QTest::newRow("all of them, parameters first")
            << QStringList{"rpm60=x", "advance2=", "pattern2=0101", "shift=599", "opening=2,5", "in=Up"} << false
            << QStringList{"shift-light speed 599 is outside 600 – 18000", "opening time 2,5 is outside 0,2 – 2",
                           "input edge polarity \"Up\" is not one of Felfutó, Lefutó, Rising, Falling",
                           "row 2: advance is empty", "row 2: inhibit pattern \"0101\" is not eight characters 0 or 1",
                           "row 60: speed \"x\" is not a number"};
        QTest::newRow("period beyond 16 bits") << QStringList{"cylinders=1", "shift=600"} << false
            << QStringList{"shift-light period 125000 does not fit 16 bits (cylinders × shift-light speed must be above 1144)"};
        QTest::newRow("no 7 cylinders, no period")
            << QStringList{"cylinders=7"} << false << QStringList{"cylinders \"7\" is not one of 1, 2, 3, 4, 5, 6, 8"};
        QTest::newRow("no cylinders") << QStringList{"cylinders="} << false << QStringList{"cylinders is empty"};
        QTest::newRow("dwell by mode") << QStringList{"opening=*", "dwell=511"} << false
            << QStringList{"dwell 511 is outside 50 – 510 in wide-angle mode (opening *)"};
        QTest::newRow("options outside 0 to 15") << QStringList{"corr=999999999", "transp=-1"} << true
            << QStringList{"dwell correction 999999999 is outside 0 – 15", "transparent ranges -1 is outside 0 – 15"};
        QTest::newRow("options that are no item") << QStringList{"corr=05", "transp=2,5"} << true
            << QStringList{"dwell correction \"05\" is not a whole number from 0 to 15",
                           "transparent ranges \"2,5\" is not a whole number from 0 to 15"};
        QTest::newRow("options 0 and 15") << QStringList{"corr=0", "transp=15"} << true << QStringList{};
        QTest::newRow("options 16 unsent without the flag") << QStringList{"corr=16", "transp="} << false << QStringList{};
    }
    void refusals()
    {
        QFETCH(QStringList, changes);
        QFETCH(bool, versionFlag);
        QFETCH(QStringList, refusals);
        const CurveTexts texts = exampleCurveWith(changes);
        QCOMPARE(refusalTexts(texts, versionFlag), refusals);
        QCOMPARE(CheckDownloadData(texts, versionFlag), refusals.isEmpty());
    }

    // The table's own cell rules, compared in double precision.
    void cells_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("speed") << int(Col::Rpm) << "650" << "";
        QTest::newRow("advance beyond in double") << int(Col::Advance) << "63,500001"
            << "row 9: advance 63,500001 is outside 0,5 – 63,5";
        QTest::newRow("advance with a point") << int(Col::Advance) << "1.5" << "row 9: advance \"1.5\" is not a number";
        QTest::newRow("empty pattern") << int(Col::Pattern) << "" << "row 9: inhibit pattern is empty";
    }
    void cells()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        const std::optional<Refusal> found = cellRefusal(column, 9, text);
        QCOMPARE(found ? refusalText(*found) : QString(), refusal);
    }

    // A file's selector texts become what the window's lists select.
    void fileAsTheWindowLoadsIt_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QStringList>("selected"); // cylinders, input, output, correction, transparent
        QTest::addColumn<bool>("versionFlag");
        QTest::newRow("as written") << QStringList{} << QStringList{"4", "Felfutó", "Lefutó", "2", "5"} << false;
        QTest::newRow("English words") << QStringList{"in=Rising", "out=Falling"}
                                       << QStringList{"4", "Felfutó", "Lefutó", "2", "5"} << false;
        QTest::newRow("letter case ignored") << QStringList{"in=FELFUTÓ", "out=lefutó"}
                                             << QStringList{"4", "Felfutó", "Lefutó", "2", "5"} << false;
        QTest::newRow("English words match exactly only") << QStringList{"in=rising"}
                                                          << QStringList{"4", "rising", "Lefutó", "2", "5"} << false;
        QTest::newRow("no such items") << QStringList{"cylinders=7", "corr=05", "transp=16"}
                                       << QStringList{"7", "Felfutó", "Lefutó", "05", "16"} << false;
        QTest::newRow("version 8.3 with a point") << QStringList{"version=8.3"}
                                                  << QStringList{"4", "Felfutó", "Lefutó", "2", "5"} << true;
        QTest::newRow("version 8,2999") << QStringList{"version=8,2999"}
                                        << QStringList{"4", "Felfutó", "Lefutó", "2", "5"} << false;
    }
    void fileAsTheWindowLoadsIt()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, selected);
        QFETCH(bool, versionFlag);
        const FileDownload d = fileDownload(exampleCurveWith(changes));
        QCOMPARE((QStringList{d.texts.cylinders, d.texts.inputPolarity, d.texts.outputPolarity, d.texts.dwellCorrection,
                              d.texts.transparent}),
                 selected);
        QCOMPARE(d.versionFlag, versionFlag);
    }

    // The frame carries half degrees cut toward zero: an advance the check
    // passes but the module gets otherwise is a note, never a refusal.
    void advanceNotes_data()
    {
        QTest::addColumn<QString>("advance");
        QTest::addColumn<QString>("note"); // empty: none
        QTest::newRow("cut to the half below") << "10,99" << "row 9: 10,99 goes out as 10,5";
        QTest::newRow("cut to the whole") << "12,3" << "row 9: 12,3 goes out as 12";
        QTest::newRow("just above a half") << "10,5000001" << "row 9: 10,5000001 goes out as 10,5";
        QTest::newRow("the lowest half") << "0,5" << "";
        QTest::newRow("the highest half") << "63,5" << "";
        QTest::newRow("refused, not noted") << "70" << "";
    }
    void advanceNotes()
    {
        QFETCH(QString, advance);
        QFETCH(QString, note);
        QStringList notes;
        for (const CheckNote &n : ::advanceNotes(exampleCurveWith({"advance9=" + advance}), false))
            notes << checkNoteText(n);
        QCOMPARE(notes, note.isEmpty() ? QStringList{} : QStringList{note});
    }
};

QTEST_APPLESS_MAIN(TestDownloadCheck)
#include "tst_download_check.moc"
