#include "core/curve_csv.h"
#include "sample_curves.h"

#include <QTest>

namespace {

// The rows of the sample curve as a spreadsheet may write them: `separator`
// between cells, `decimal` in the advances, `end` after every line.
QByteArray sampleTable(char separator, char decimal, const QByteArray &end, bool header = true)
{
    QByteArray csv = header ? QByteArray("rpm") + separator + "advance" + separator + "pattern" + end : QByteArray();
    for (const RowTexts &row : sampleCurve().rows)
        csv += row.rpm.toLatin1() + separator + QByteArray(row.advance.toLatin1()).replace(',', decimal) + separator
            + row.pattern.toLatin1() + end;
    return csv;
}

// Each problem as "kind line count row column".
QStringList problemList(const CsvRows &read)
{
    QStringList list;
    for (const CsvProblem &p : read.problems)
        list << QStringLiteral("%1 %2 %3 %4 %5").arg(int(p.kind)).arg(p.line).arg(p.count).arg(p.cell.row).arg(int(p.cell.field));
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

    void readAsSpreadsheetsWrite_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("as written") << writeCurveCsv(sampleCurve());
        QTest::newRow("semicolons, decimal comma, CR LF") << sampleTable(';', ',', "\r\n");
        QTest::newRow("semicolons, decimal point") << sampleTable(';', '.', "\n");
        QTest::newRow("no header") << sampleTable(',', '.', "\n", false);
        QTest::newRow("byte order mark, blank lines")
            << QByteArray("\xEF\xBB\xBF") + sampleTable(',', '.', "\n").replace("\n1000,", "\n\n1000,") + "\n\n";
        QTest::newRow("quoted decimal comma")
            << QByteArray(sampleTable(',', '.', "\n")).replace(",1.5,", ",\"1,5\",");
        QTest::newRow("patterns cut short by a spreadsheet")
            << QByteArray(sampleTable(',', '.', "\n")).replace(",00000000\n", ",0\n");
    }
    void readAsSpreadsheetsWrite()
    {
        QFETCH(QByteArray, csv);
        const CsvRows read = readCurveCsv(csv);
        QCOMPARE(problemList(read), QStringList{});
        QVERIFY(read.rows == sampleCurve().rows);
    }

    // Every problem, by line; cells by their table row and column.
    void problems_data()
    {
        using K = CsvProblem::Kind;
        const auto cell = [](int line, int row, CurveField field) {
            return QStringLiteral("%1 %2 0 %3 %4").arg(int(K::Cell)).arg(line).arg(row).arg(int(field));
        };
        const auto count = [](K kind, int line, int n) {
            return QStringLiteral("%1 %2 %3 0 0").arg(int(kind)).arg(line).arg(n);
        };
        const QByteArray good = writeCurveCsv(sampleCurve());
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("59 rows") << QByteArray(good).replace("6600,60.5,10100000\n", "")
                                 << QStringList{count(K::RowCount, 0, 59)};
        QTest::newRow("61 rows") << good + "700,1.5,00000000\n" << QStringList{count(K::RowCount, 0, 61)};
        QTest::newRow("decimal comma between commas") << QByteArray(good).replace("800,2.5,", "800,2,5,")
                                                      << QStringList{count(K::CellCount, 3, 4)};
        QTest::newRow("every bad cell")
            << QByteArray(good).replace("700,1.5,", "599,70,").replace("1000,4.5,10100000", "1000,x,10102")
            << QStringList{cell(2, 1, CurveField::Rpm), cell(2, 1, CurveField::Advance),
                                  cell(5, 4, CurveField::Advance), cell(5, 4, CurveField::Pattern)};
    }
    void problems()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, expected);
        QCOMPARE(problemList(readCurveCsv(csv)), expected);
    }
};

QTEST_APPLESS_MAIN(TestCurveCsv)
#include "tst_curve_csv.moc"
