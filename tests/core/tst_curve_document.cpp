#include "core/curve_document.h"
#include "core/polarity.h"
#include "sample_curves.h"

#include <QTest>

namespace {

// A document as a load leaves it: the sample curve, row r advancing r,5.
void load(CurveDocument &document)
{
    document.change([](CurveState &s) {
        s.curve = sampleCurve();
        s.downloadReady = true;
    });
    document.refreshCurves();
    document.startHistory();
}

// A cell left with a valid advance, as the window commits it.
void edit(CurveDocument &document, int row, const QString &advance)
{
    const CurveDocument::Step step(document);
    document.setCell(Col::Advance, row, advance);
    document.drawAdvance(row);
}

// Steps, separated by "; ": "edit R TEXT", "type R TEXT" (not committed),
// "undo", "redo", "clear", "save", "freeze K" (transparent ranges chosen),
// "load", "both R TEXT R TEXT" (two edits inside one step).
void run(CurveDocument &document, const QString &steps)
{
    for (const QString &step : steps.split("; ", Qt::SkipEmptyParts)) {
        const QStringList word = step.split(' ');
        if (word[0] == "edit") {
            edit(document, word[1].toInt(), word[2]);
        } else if (word[0] == "type") {
            document.setCell(Col::Advance, word[1].toInt(), word[2]);
        } else if (word[0] == "undo") {
            document.undo();
        } else if (word[0] == "redo") {
            document.redo();
        } else if (word[0] == "clear") {
            const CurveDocument::Step clear(document);
            document.change([](CurveState &s) {
                s.curve.reset(false);
                s.downloadReady = false;
            });
            document.drawClearedTable();
        } else if (word[0] == "save") {
            document.allowDownload();
        } else if (word[0] == "freeze") {
            const CurveDocument::Step freeze(document);
            document.setFrozenRows(word[1].toInt());
            document.drawTransparentRanges(word[1].toInt());
        } else if (word[0] == "load") {
            load(document);
        } else if (word[0] == "both") {
            const CurveDocument::Step both(document);
            edit(document, word[1].toInt(), word[2]);
            edit(document, word[3].toInt(), word[4]);
        }
    }
}

// Row 5 and 6 as typed and as read, point 4 of the new curve, and what the
// window would offer and ask.
QString describe(const CurveDocument &d)
{
    const Curve &c = d.curve();
    return QStringLiteral("row5 %1=%2 row6 %3 point4 %4 frozen %5 ready %6 undo %7 redo %8 asks %9")
        .arg(c.cell(Col::Advance, 5))
        .arg(c.cellReading(Col::Advance, 5))
        .arg(c.cell(Col::Advance, 6))
        .arg(d.state().newCurve[4])
        .arg(d.state().frozenRows)
        .arg(int(d.state().downloadReady))
        .arg(int(d.canUndo()))
        .arg(int(d.canRedo()))
        .arg(int(d.curvesDiffer()));
}

} // namespace

class TestCurveDocument : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedo_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        const QString loaded = "row5 5,5=5.5 row6 6,5 point4 5.5 frozen 0 ready 1 undo 0 redo 0 asks 0";
        QTest::newRow("taken back: nothing to ask") << "edit 5 12; undo"
                                                    << "row5 5,5=5.5 row6 6,5 point4 5.5 frozen 0 ready 1 undo 0 redo 1 asks 0";
        QTest::newRow("brought again") << "edit 5 12; undo; redo"
                                       << "row5 12=12 row6 6,5 point4 12 frozen 0 ready 1 undo 1 redo 0 asks 1";
        QTest::newRow("the same text again is no step") << "edit 5 12; edit 5 12; undo"
                                                        << "row5 5,5=5.5 row6 6,5 point4 5.5 frozen 0 ready 1 undo 0 redo 1 asks 0";
        QTest::newRow("typing not committed goes first") << "edit 5 12; type 5 13; undo"
                                                         << "row5 12=12 row6 6,5 point4 12 frozen 0 ready 1 undo 1 redo 1 asks 1";
        QTest::newRow("typing brought again") << "edit 5 12; type 5 13; undo; redo"
                                              << "row5 13=13 row6 6,5 point4 12 frozen 0 ready 1 undo 1 redo 0 asks 1";
        QTest::newRow("a new edit drops the redo") << "edit 5 12; undo; edit 6 20; redo"
                                                   << "row5 5,5=5.5 row6 20 point4 5.5 frozen 0 ready 1 undo 1 redo 0 asks 1";
        QTest::newRow("a load begins anew") << "edit 5 12; load; undo" << loaded;
        QTest::newRow("steps inside a step are one") << "both 5 12 6 20; undo" << "row5 5,5=5.5 row6 6,5 point4 5.5 frozen 0 ready 1 undo 0 redo 1 asks 0";
        QTest::newRow("clear taken back: the download too") << "clear; undo" << "row5 5,5=5.5 row6 6,5 point4 5.5 frozen 0 ready 1 undo 0 redo 1 asks 0";
        QTest::newRow("clear brought again") << "clear; undo; redo" << "row5 1=1 row6 1 point4 1 frozen 0 ready 0 undo 1 redo 0 asks 1";
        QTest::newRow("a save outlives an undo") << "clear; edit 5 12; save; undo"
                                                 << "row5 1=1 row6 1 point4 1 frozen 0 ready 1 undo 1 redo 1 asks 1";
        QTest::newRow("frozen rows taken back") << "freeze 6; undo"
                                                << "row5 5,5=5.5 row6 6,5 point4 5.5 frozen 0 ready 1 undo 0 redo 1 asks 0";
    }
    void undoAndRedo()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        CurveDocument document;
        load(document);
        run(document, steps);
        QCOMPARE(describe(document), expected);
    }

    // What undo reports is what the window shows of it: the cells in
    // reading order, so the first is the one to make current.
    void undoTellsWhatChanged()
    {
        CurveDocument document;
        load(document);
        run(document, "both 7 12 3 20");
        QList<CurveChange> announced;
        connect(&document, &CurveDocument::changed, [&](const CurveChange &change) { announced << change; });
        const CurveChange change = document.undo();
        QCOMPARE(change.cells, (QList<CellRef>{{Col::Advance, 3}, {Col::Advance, 7}}));
        QVERIFY(change.newCurve && !change.oldCurve && !change.labels && change.params.isEmpty());
        QCOMPARE(announced.size(), 1);
        QVERIFY(document.undo().isEmpty());
        QCOMPARE(announced.size(), 1);
    }

    // The newest thousand steps are kept.
    void thousandSteps()
    {
        CurveDocument document;
        load(document);
        for (int i = 1; i <= 1001; ++i)
            edit(document, 5, QString::number(i));
        int undone = 0;
        while (document.canUndo()) {
            document.undo();
            ++undone;
        }
        QCOMPARE(undone, 1000);
        QCOMPARE(document.curve().cell(Col::Advance, 5), "1"); // the first edit, whose step went
        QCOMPARE(document.state().newCurve[4], 1.0);
    }

    // After a language switch the history holds the words of the lists the
    // window shows now.
    void languageSwitchRewritesTheHistory()
    {
        CurveDocument document;
        load(document);
        document.setText(Param::InputPolarity, Polarity::FallingHu);
        document.commit();
        document.translatePolarityWords(1);
        QCOMPARE(document.curve().text(Param::InputPolarity), Polarity::FallingEn);
        document.undo();
        QCOMPARE(document.curve().text(Param::InputPolarity), Polarity::RisingEn);
        document.redo();
        QCOMPARE(document.curve().text(Param::InputPolarity), Polarity::FallingEn);
        QCOMPARE(document.curve().text(Param::OutputPolarity), Polarity::FallingEn);
    }
};

QTEST_GUILESS_MAIN(TestCurveDocument)
#include "tst_curve_document.moc"
