#include "core/curve_file.h"
#include "form_fixture.h"
#include "ui/curve_chart.h"
#include "ui/string_grid.h"
#include "user_input.h"

#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>

namespace {

QString advances(const TForm1 &form, int first, int last)
{
    QStringList texts;
    for (int row = first; row <= last; ++row)
        texts << form.StringGrid1->cell(Col::Advance, row);
    return texts.join(' ');
}

// Where `value` degrees at `point` of the new curve lie in the chart's viewport.
QPoint onChart(const CurveChart *chart, int point, double value)
{
    QChart *c = chart->chart();
    QLineSeries *series = chart->series(CurveChart::New);
    return chart->mapFromScene(c->mapToScene(c->mapToPosition(QPointF(point, value), series)));
}

// The sample curve (row r advancing r,5, rows 1 to 3 fixed by the
// transparent ranges) loaded in the English window.
TForm1 &startWithSample(FormFixture &f)
{
    f.writeFile("c.igc", writeCurveFile(sampleCurve()));
    f.writeSettings((f.path("c.igc") + "\r\n1\r\n1\r\n8,3\r\n").toLatin1());
    return f.start();
}

} // namespace

class TestCurveEditing : public QObject {
    Q_OBJECT

private slots:
    // Row 10 is typed as 20 (committed first when still in the cell, a step of
    // its own), the selection made and the key pressed; Ctrl+Z takes back the command.
    void rangeKeys_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("after"); // rows 6 to 10
        QTest::newRow("Shift+Down, typing, Ctrl+I") << "shift-down" << Qt::Key_I << "6,5 10 13,5 16,5 20";
        QTest::newRow("Shift+click, Ctrl+Up") << "shift-click" << Qt::Key_Up << "7 8 9 10 20,5";
        QTest::newRow("mouse across columns, Ctrl+Down") << "mouse" << Qt::Key_Down << "6 7 8 9 19,5";
    }
    void rangeKeys()
    {
        QFETCH(QString, select);
        QFETCH(Qt::Key, key);
        QFETCH(QString, after);
        FormFixture f;
        TForm1 &form = startWithSample(f);
        QVERIFY(showActive(form, &f.prompts));
        StringGrid *grid = form.StringGrid1;
        QWidget *view = grid->viewport();
        if (select == "shift-down") {
            clickCell(grid, Col::Advance, 6);
            for (int i = 0; i < 4; ++i)
                pressKey(&form, Qt::Key_Down, Qt::ShiftModifier);
            typeKeys(&form, "20");
        } else if (select == "shift-click") {
            clickCell(grid, Col::Advance, 10);
            typeKeys(&form, "20");
            clickCell(grid, Col::Advance, 6);
            QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, cellCentre(grid, Col::Advance, 10));
        } else {
            clickCell(grid, Col::Advance, 10);
            typeKeys(&form, "20");
            QTest::mousePress(view, Qt::LeftButton, {}, cellCentre(grid, Col::Pattern, 6));
            QTest::mouseMove(view, cellCentre(grid, Col::Pattern, 8));
            QTest::mouseMove(view, cellCentre(grid, Col::Advance, 10));
            QTest::mouseRelease(view, Qt::LeftButton, {}, cellCentre(grid, Col::Advance, 10));
        }
        pressKey(&form, key, Qt::ControlModifier);
        QCOMPARE(advances(form, 6, 10), after);
        QCOMPARE(form.Chart1->value(CurveChart::New, 8), after.split(' ')[3].replace(',', '.').toDouble());

        pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(advances(form, 6, 10), "6,5 7,5 8,5 9,5 20");
    }

    // A point pulled on the enlarged chart: its row follows the mouse, in half
    // degrees within 0,5 to 63,5, and the release is one step. The old curve
    // stays; a frozen point, or a press without a move, adds no step.
    void dragPoints_data()
    {
        QTest::addColumn<int>("point");
        QTest::addColumn<double>("to");       // where the mouse goes, in degrees
        QTest::addColumn<QString>("advance"); // the row's advance afterwards
        QTest::newRow("up") << 29 << 45.0 << "45";
        QTest::newRow("past the top") << 29 << 90.0 << "63,5";
        QTest::newRow("no move") << 29 << 30.5 << "30,5";
        QTest::newRow("frozen") << 1 << 30.0 << "2,5";
    }
    void dragPoints()
    {
        QFETCH(int, point);
        QFETCH(double, to);
        QFETCH(QString, advance);
        FormFixture f;
        TForm1 &form = startWithSample(f);
        QVERIFY(showActive(form, &f.prompts));
        CurveChart *chart = form.Chart1;
        QWidget *view = chart->viewport();
        doubleClick(view);
        QVERIFY(settle(chart));
        const QString before = advances(form, point + 1, point + 1);
        const double from = chart->value(CurveChart::New, point);
        const QPoint press = onChart(chart, point, from);
        const QPoint release = onChart(chart, point, to);

        QTest::mousePress(view, Qt::LeftButton, {}, press);
        QTest::mouseMove(view, (press + release) / 2);
        QCOMPARE(advances(form, point + 1, point + 1) == before, advance == before);
        QTest::mouseMove(view, release);
        QTest::mouseRelease(view, Qt::LeftButton, {}, release);
        QCOMPARE(advances(form, point + 1, point + 1), advance);
        QCOMPARE(chart->value(CurveChart::New, point), QString(advance).replace(',', '.').toDouble());
        QCOMPARE(chart->value(CurveChart::Old, point), point + 1.5);
        pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(advances(form, point + 1, point + 1), before);
        QVERIFY(!form.document().canUndo());
    }

    // Another file laid over the chart, read without loading it; the legend
    // counts the rows whose speeds differ, also after the table's change.
    // The chart saved as a PNG picture of its size; a failed write is reported.
    void chartMenu()
    {
        FormFixture f;
        TForm1 &form = startWithSample(f);
        CurveTexts other = sampleCurve("30");
        for (int r = 0; r < 5; ++r)
            other.rows[r].rpm = "9000";
        f.writeFile("other.igc", writeCurveFile(other));
        QVERIFY(showActive(form, &f.prompts));
        const CurveTexts table = form.curveTexts();
        const QLineSeries *comparison = form.Chart1->series(CurveChart::Comparison);
        f.prompts.fileAnswers = {f.path("other.igc")};
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartCompare));
        QCOMPARE(comparison->isVisible() ? comparison->at(59).y() : 0, 30.0);
        QCOMPARE(comparison->name(), "other.igc (other speeds in 5 of 60 rows)");
        QCOMPARE(form.curveTexts(), table);
        QCOMPARE(form.curveFile(), f.path("c.igc"));
        QVERIFY(!form.document().canUndo());

        form.EditBtn->click();
        clickCell(form.StringGrid1, Col::Rpm, 4);
        typeKeys(&form, "9000");
        pressKey(&form, Qt::Key_Down);
        QCOMPARE(comparison->name(), "other.igc (other speeds in 4 of 60 rows)");
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartRemoveComparison));
        QVERIFY(!comparison->isVisible());

        f.prompts.log.clear();
        f.prompts.fileAnswers = {f.path("chart.png"), f.path("none/chart.png")};
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartSaveImage));
        QCOMPARE(QImage(f.path("chart.png"), "PNG").size(), form.Chart1->size() * form.Chart1->devicePixelRatio());
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartSaveImage));
        QCOMPARE(f.prompts.log.value(0), "export: " + f.path("c.png"));
        QCOMPARE(f.prompts.entries("error: ").size(), 1);
    }
};
QTEST_MAIN(TestCurveEditing)
#include "tst_curve_editing.moc"
