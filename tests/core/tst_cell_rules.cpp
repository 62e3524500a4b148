#include "core/cell_rules.h"

#include <QTest>

namespace {

const QString kZeros = QStringLiteral("00000000");
const QString kOnes = QStringLiteral("11111111");

// A pattern column of 60 rows: zeros, with rows first..last (1-based) all ones.
QStringList column(int first, int last)
{
    QStringList patterns(60, kZeros);
    for (int r = first; r >= 1 && r <= last; ++r)
        patterns[r - 1] = kOnes;
    return patterns;
}

} // namespace

class TestCellRules : public QObject {
    Q_OBJECT

private slots:
    void cellValue_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -1: rejected

        QTest::newRow("speed 600") << 1 << "600" << 600.0;
        QTest::newRow("speed 18000") << 1 << "18000" << 18000.0;
        QTest::newRow("speed 599") << 1 << "599" << -1.0;
        QTest::newRow("speed 18001") << 1 << "18001" << -1.0;
        QTest::newRow("speed 7000,5") << 1 << "7000,5" << 7000.5;
        QTest::newRow("speed just below 600") << 1 << "599,9999999" << -1.0;
        QTest::newRow("speed just above 18000") << 1 << "18000,0000001" << -1.0;
        QTest::newRow("speed empty") << 1 << "" << -1.0;
        QTest::newRow("speed -1") << 1 << "-1" << -1.0;

        QTest::newRow("advance 0,5") << 2 << "0,5" << 0.5;
        QTest::newRow("advance 63,5") << 2 << "63,5" << 63.5;
        QTest::newRow("advance 0,4") << 2 << "0,4" << -1.0;
        QTest::newRow("advance 63,6") << 2 << "63,6" << -1.0;
        QTest::newRow("advance just below 0,5") << 2 << "0,49999999999" << -1.0;
        QTest::newRow("advance 0.5 with a point") << 2 << "0.5" << -1.0;
        QTest::newRow("advance empty") << 2 << "" << -1.0;
        QTest::newRow("advance -1") << 2 << "-1" << -1.0;

        QTest::newRow("pattern 10100000") << 3 << "10100000" << 160.0;
        QTest::newRow("pattern 00000001") << 3 << "00000001" << 1.0;
        QTest::newRow("pattern 11111111") << 3 << "11111111" << 255.0;
        QTest::newRow("pattern too short") << 3 << "1010" << -1.0;
        QTest::newRow("pattern nine characters") << 3 << "101000001" << -1.0;
        QTest::newRow("pattern with a letter") << 3 << "1010a000" << -1.0;
        QTest::newRow("pattern with a blank") << 3 << "1010 000" << -1.0;
        QTest::newRow("pattern empty") << 3 << "" << -1.0;
        QTest::newRow("pattern -1") << 3 << "-1" << -1.0;
    }
    void cellValue()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(::cellValue(column, text), value);
        QCOMPARE(isValidCell(column, text), value != -1);
    }

    void presets_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("firstChanged"); // rows firstChanged..lastChanged
        QTest::addColumn<int>("lastChanged");  // become the pattern

        QTest::newRow("ones from row 60") << column(0, 0) << 60 << kOnes << 60 << 60;
        QTest::newRow("ones from row 1") << column(0, 0) << 1 << kOnes << 1 << 60;
        QTest::newRow("other preset at row 1") << column(0, 0) << 1 << "10100000" << 1 << 1;
        QTest::newRow("other preset at row 1 of a block") << column(1, 60) << 1 << "10100000" << 1 << 1;
        QTest::newRow("block 40-60, row 45") << column(40, 60) << 45 << "10100000" << 40 << 45;
        QTest::newRow("just below a block") << column(10, 20) << 21 << "01010000" << 10 << 21;
        QTest::newRow("block reaching row 1") << column(1, 5) << 5 << "00000000" << 1 << 5;
        QTest::newRow("gap above") << column(10, 20) << 22 << "01010000" << 22 << 22;
    }
    void presets()
    {
        QFETCH(QStringList, before);
        QFETCH(int, row);
        QFETCH(QString, pattern);
        QFETCH(int, firstChanged);
        QFETCH(int, lastChanged);
        QStringList expected = before;
        for (int r = firstChanged; r <= lastChanged; ++r)
            expected[r - 1] = pattern;
        QCOMPARE(applyInhibitPreset(before, row, pattern), expected);
    }
};

QTEST_APPLESS_MAIN(TestCellRules)
#include "tst_cell_rules.moc"
