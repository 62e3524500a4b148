#include "core/curve_csv.h"
#include "sample_curves.h"

#include <QTest>

namespace {

// Each problem as "kind line column" and, for a cell, "row field".
QStringList problemList(const CsvRows &read)
{
    QStringList list;
    for (const CsvProblem &p : read.problems) {
        QString text = QStringLiteral("%1 %2 %3").arg(int(p.kind)).arg(p.line).arg(p.column);
        if (p.kind == CsvProblem::Kind::Cell)
            text += QStringLiteral(" %1 %2").arg(p.cell.row).arg(int(p.cell.field));
        list << text;
    }
    return list;
}

} // namespace

class TestCurveCsv : public QObject {
    Q_OBJECT

private slots:
    void writtenForSpreadsheets()
    {
        const QList<QByteArray> lines = writeCurveCsv(sampleCurve()).split('\n');
        QCOMPARE(lines.size(), 62); // the header, 60 rows, and nothing after the last LF
        QCOMPARE(lines[0], "rpm,advance,pattern");
        QCOMPARE(lines[1], "700,1.5,00000000");
        QCOMPARE(lines[60], "6600,60.5,10100000");
        QCOMPARE(lines[61], "");
    }

    // Every problem, where a spreadsheet shows it: the file's line, its
    // column from 1, and for a cell the curve's row and field.
    void problems_data()
    {
        using K = CsvProblem::Kind;
        const auto at = [](K kind, int line, int column = 0) {
            return QStringLiteral("%1 %2 %3").arg(int(kind)).arg(line).arg(column);
        };
        const auto cell = [&](int line, int column, int row, CurveField field) {
            return at(K::Cell, line, column) + QStringLiteral(" %1 %2").arg(row).arg(int(field));
        };
        const QByteArray good = writeCurveCsv(sampleCurve());
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("59 rows") << QByteArray(good).replace("6600,60.5,10100000\n", "") << QStringList{at(K::RowCount, 0)};
        QTest::newRow("61 rows") << good + "700,1.5,00000000\n" << QStringList{at(K::RowCount, 0)};
        QTest::newRow("decimal comma between commas") << QByteArray(good).replace("800,2.5,", "800,2,5,")
                                                      << QStringList{at(K::TooManyCells, 3, 4)};
        QTest::newRow("a cell short") << QByteArray(good).replace("800,2.5,10100000", "800,2.5")
                                      << QStringList{at(K::TooFewCells, 3)};
        QTest::newRow("every bad cell")
            << QByteArray(good).replace("700,1.5,", "599,70,").replace("1000,4.5,10100000", "1000,x,10102")
            << QStringList{cell(2, 1, 1, CurveField::Rpm), cell(2, 2, 1, CurveField::Advance),
                           cell(5, 2, 4, CurveField::Advance), cell(5, 3, 4, CurveField::Pattern)};
        // Titles in another order: the columns follow them; lines count blank ones.
        QByteArray reordered = "Tiltás;RPM;Előgyújtás\r\n\r\n";
        for (const RowTexts &row : sampleCurve().rows)
            reordered += (row.pattern + ';' + row.rpm + ';' + row.advance).toUtf8() + "\r\n";
        QTest::newRow("titled columns, blank line") << reordered.replace("\n10100000;800;", "\nx;800;")
                                                    << QStringList{cell(4, 1, 2, CurveField::Pattern)};
        QTest::newRow("a title that names no column")
            << QByteArray(good).replace("rpm,advance,pattern", "rpm,advance,pattern,comment")
            << QStringList{at(K::UnknownTitle, 1, 4)};
        QTest::newRow("a title twice, another missing")
            << QByteArray(good).replace("rpm,advance,pattern", "rpm,advance,RPM") << QStringList{at(K::SecondTitle, 1, 3)};
        QTest::newRow("a column without title")
            << QByteArray(good).replace("rpm,advance,pattern", "rpm,advance") << QStringList{at(K::MissingColumn, 1)};
    }
    void problems()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, expected);
        QCOMPARE(problemList(readCurveCsv(csv)), expected);
    }

    // A user reads ten problems and how many more, in either language.
    void atMostTenListed()
    {
        CurveTexts curve = sampleCurve();
        for (int r = 0; r < 15; ++r)
            curve.rows[r].rpm = "599";
        const CsvRows read = readCurveCsv(writeCurveCsv(curve));
        QCOMPARE(read.problems.size(), 15);
        const QStringList listed = csvProblemTexts(read.problems);
        QCOMPARE(listed.size(), 11);
        QCOMPARE(listed[0], "line 2, column A (row 1): speed 599 is outside 600 – 18000");
        QCOMPARE(listed[10], "and 5 more");
        QCOMPARE(csvProblemTexts(read.problems, hungarianCsvWords()).last(), "és még 5");
    }
};

QTEST_APPLESS_MAIN(TestCurveCsv)
#include "tst_curve_csv.moc"
