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
#include <cmath>

namespace {

QString advances(const TForm1 &form, int first, int last)
{
    QStringList texts;
    for (int row = first; row <= last; ++row)
        texts << form.StringGrid1->cell(Col::Advance, row);
    return texts.join(' ');
}

// Where `value` degrees at point `point` of the new curve lie in the chart's
// viewport.
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
    TForm1 &form = f.start();
    return form;
}

} // namespace

class TestCurveEditing : public QObject {
    Q_OBJECT

private slots:
    // Row 10 is typed as 20, the selection made and the key pressed: typing
    // still in the cell is committed first, as leaving the cell does, and is
    // a step of its own. One Ctrl+Z takes back the command alone.
    void rangeKeys_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("after"); // rows 6 to 10
        QTest::newRow("Shift+Down, typing, Ctrl+I") << "shift-down" << Qt::Key_I << "6,5 10 13,5 16,5 20";
        QTest::newRow("Shift+click, Ctrl+Up") << "shift-click" << Qt::Key_Up << "7 8 9 10 20,5";
        QTest::newRow("mouse across columns, Ctrl+Down") << "mouse" << Qt::Key_Down << "6 7 8 9 19,5";
        QTest::newRow("the cell typed in, Ctrl+Up") << "one" << Qt::Key_Up << "6,5 7,5 8,5 9,5 20,5";
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
        if (select != "shift-down") {
            clickCell(grid, Col::Advance, 10);
            typeKeys(&form, "20");
        }
        if (select == "shift-down") {
            clickCell(grid, Col::Advance, 6);
            for (int i = 0; i < 4; ++i)
                pressKey(&form, Qt::Key_Down, Qt::ShiftModifier);
            typeKeys(&form, "20");
        } else if (select == "shift-click") {
            clickCell(grid, Col::Advance, 6);
            QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, cellCentre(grid, Col::Advance, 10));
        } else if (select == "mouse") {
            QTest::mousePress(view, Qt::LeftButton, {}, cellCentre(grid, Col::Pattern, 6));
            QTest::mouseMove(view, cellCentre(grid, Col::Pattern, 8));
            QTest::mouseMove(view, cellCentre(grid, Col::Advance, 10));
            QTest::mouseRelease(view, Qt::LeftButton, {}, cellCentre(grid, Col::Advance, 10));
        } else {
            clickCell(grid, Col::Advance, 10);
        }
        pressKey(&form, key, Qt::ControlModifier);
        QCOMPARE(advances(form, 6, 10), after);
        QCOMPARE(form.Chart1->value(CurveChart::New, 8), after.split(' ')[3].replace(',', '.').toDouble());
        QCOMPARE(grid->cell(Col::Rpm, 6), "1200");
        QVERIFY(f.prompts.log.isEmpty());

        pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(advances(form, 6, 10), "6,5 7,5 8,5 9,5 20");
        pressKey(&form, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(advances(form, 6, 10), after);
    }

    // A point of the new curve pulled on the chart: its row follows while
    // the mouse moves, in half degrees within 0,5 to 63,5, and the release
    // is one step. The old curve stays; a frozen point does not move.
    void dragPoints_data()
    {
        QTest::addColumn<int>("point");
        QTest::addColumn<double>("to");       // where the mouse goes, in degrees
        QTest::addColumn<QString>("advance"); // the row's advance afterwards; "" for about `to`
        QTest::newRow("up") << 29 << 45.0 << "";
        QTest::newRow("past the top") << 29 << 90.0 << "63,5";
        QTest::newRow("past the bottom") << 29 << -20.0 << "0,5";
        QTest::newRow("frozen") << 1 << 30.0 << "x";
    }
    void dragPoints()
    {
        QFETCH(int, point);
        QFETCH(double, to);
        QFETCH(QString, advance);
        FormFixture f;
        TForm1 &form = startWithSample(f);
        QVERIFY(showActive(form, &f.prompts));
        doubleClick(form.Chart1->viewport()); // enlarged: room above and below the axis
        QVERIFY(settle(form.Chart1));
        CurveChart *chart = form.Chart1;
        QWidget *view = chart->viewport();
        const int row = point + 1;
        const QString before = form.StringGrid1->cell(Col::Advance, row);
        const double from = chart->value(CurveChart::New, point);
        const QPoint press = onChart(chart, point, from);
        const QPoint release = onChart(chart, point, to);

        QTest::mousePress(view, Qt::LeftButton, {}, press);
        QTest::mouseMove(view, (press + release) / 2);
        if (advance != "x")
            QVERIFY(form.StringGrid1->cell(Col::Advance, row) != before);
        QTest::mouseMove(view, release);
        QTest::mouseRelease(view, Qt::LeftButton, {}, release);

        const QString now = form.StringGrid1->cell(Col::Advance, row);
        if (advance == "x") {
            QCOMPARE(now, before);
            QVERIFY(!form.document().canUndo());
            return;
        }
        const double degrees = QString(now).replace(',', '.').toDouble();
        QCOMPARE(std::fmod(degrees, 0.5), 0.0);
        if (advance.isEmpty())
            QVERIFY2(std::abs(degrees - to) <= 0.5, qPrintable(now));
        else
            QCOMPARE(form.StringGrid1->cell(Col::Advance, row), advance);
        QCOMPARE(chart->value(CurveChart::New, point), degrees);
        QCOMPARE(chart->value(CurveChart::Old, point), from);
        pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.StringGrid1->cell(Col::Advance, row), before);
        QCOMPARE(chart->value(CurveChart::New, point), from);
        QVERIFY(!form.document().canUndo());
    }

    // Typing left in the grid is checked as the chart takes the focus, a
    // step before the pull's; a click or a double-click on a point changes
    // nothing and adds no step.
    void pullAfterTypingAndClicks()
    {
        FormFixture f;
        TForm1 &form = startWithSample(f);
        QVERIFY(showActive(form, &f.prompts));
        clickCell(form.StringGrid1, Col::Advance, 40);
        typeKeys(&form, "99");
        QVERIFY(settle(form.Chart1));
        f.prompts.corrections = {"20"};
        QWidget *view = form.Chart1->viewport();
        const QPoint at = onChart(form.Chart1, 20, form.Chart1->value(CurveChart::New, 20));
        drag(view, at, {0, -30});
        QCOMPARE(f.prompts.entries("correct: ").size(), 1);
        QVERIFY(advances(form, 21, 21) != "21,5");
        QCOMPARE(advances(form, 40, 40), "20");
        pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(advances(form, 21, 21) + ' ' + advances(form, 40, 40), "21,5 20");

        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QTest::mouseDClick(view, Qt::LeftButton, {}, at);
        QTest::mouseRelease(view, Qt::LeftButton, {}, at);
        QVERIFY(form.chartEnlarged());
        pressKey(&form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(advances(form, 21, 21) + ' ' + advances(form, 40, 40), "21,5 40,5");
    }

    // Another file laid over the chart, read without loading it: the table,
    // the caption and the current file stay. The legend counts the rows
    // whose speeds differ, also after the table's speeds change.
    void compareWithAFile()
    {
        FormFixture f;
        TForm1 &form = startWithSample(f);
        CurveTexts other = sampleCurve("30");
        for (int r = 0; r < 5; ++r)
            other.rows[r].rpm = "9000";
        f.writeFile("other.igc", writeCurveFile(other));
        QVERIFY(showActive(form, &f.prompts));
        const CurveTexts table = form.curveTexts();
        const QString caption = form.windowTitle();
        const QLineSeries *comparison = form.Chart1->series(CurveChart::Comparison);
        QVERIFY(!comparison->isVisible());

        f.prompts.fileAnswers = {f.path("other.igc")};
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartCompare));
        QVERIFY(comparison->isVisible());
        QCOMPARE(comparison->at(59).y(), 30.0);
        QCOMPARE(comparison->name(), "other.igc (other speeds in 5 of 60 rows)");
        QCOMPARE(form.curveTexts(), table);
        QCOMPARE(form.windowTitle(), caption);
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
        f.prompts.fileAnswers = {f.path("missing.igc")};
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartCompare));
        QVERIFY(!comparison->isVisible());
        QCOMPARE(f.prompts.entries("message: ").size(), 1);
    }

    // The chart as a PNG picture of its size; a file that cannot be written
    // is reported, and nothing is left behind.
    void saveTheChartAsAPicture()
    {
        FormFixture f;
        TForm1 &form = startWithSample(f);
        QVERIFY(showActive(form, &f.prompts));
        QVERIFY(settle(form.Chart1));
        f.prompts.fileAnswers = {f.path("chart.png"), f.path("none/chart.png")};
        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartSaveImage));
        QCOMPARE(f.prompts.log.value(0), "export: " + f.path("c.png"));
        const QImage picture(f.path("chart.png"), "PNG");
        QCOMPARE(picture.size(), form.Chart1->size() * form.Chart1->devicePixelRatio());

        QVERIFY(chooseFromChartMenu(form, englishTexts().window.ChartSaveImage));
        QCOMPARE(f.prompts.entries("error: ").size(), 1);
        QVERIFY(!QFile::exists(f.path("none/chart.png")));
    }
};

QTEST_MAIN(TestCurveEditing)
#include "tst_curve_editing.moc"
