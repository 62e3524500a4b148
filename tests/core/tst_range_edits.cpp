#include "core/range_edits.h"

#include <QTest>

Q_DECLARE_METATYPE(RangeCommand)

class TestRangeEdits : public QObject {
    Q_OBJECT

private slots:
    // Rows 1 to 6 of a column start as `before` (the other rows "1"), the
    // command acts on rows `first` to `last` with `frozen` rows fixed, and
    // rows 1 to 6 end as `after`.
    void commands_data()
    {
        QTest::addColumn<RangeCommand>("command");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("frozen");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const auto I = RangeCommand::Interpolate;
        const auto up = RangeCommand::Raise;
        const auto down = RangeCommand::Lower;
        QTest::newRow("straight line") << I << Col::Advance << 1 << 5 << 0 << QStringList{"10", "1", "1", "1", "20", "1"}
                                       << QStringList{"10", "12,5", "15", "17,5", "20", "1"};
        // 10,25 and 10,75 up, rising or falling; never to the nearest even.
        QTest::newRow("halves up, rising") << I << Col::Advance << 1 << 5 << 0 << QStringList{"10", "1", "1", "1", "11", "1"}
                                           << QStringList{"10", "10,5", "10,5", "11", "11", "1"};
        QTest::newRow("halves up, falling") << I << Col::Advance << 2 << 6 << 0 << QStringList{"1", "11", "1", "1", "1", "10"}
                                            << QStringList{"1", "11", "11", "10,5", "10,5", "10"};
        QTest::newRow("ends off the half degrees") << I << Col::Advance << 1 << 3 << 0 << QStringList{"10,2", "7", "11,2", "1", "1", "1"}
                                                    << QStringList{"10,2", "10,5", "11,2", "1", "1", "1"};
        QTest::newRow("speeds in whole rpm") << I << Col::Rpm << 1 << 4 << 0 << QStringList{"1000", "1", "1", "1001", "1", "1"}
                                             << QStringList{"1000", "1000", "1001", "1001", "1", "1"};
        QTest::newRow("an end not a number") << I << Col::Advance << 1 << 4 << 0 << QStringList{"10", "1", "1", "x", "1", "1"}
                                             << QStringList{"10", "1", "1", "x", "1", "1"};
        QTest::newRow("frozen rows kept") << I << Col::Advance << 1 << 6 << 3 << QStringList{"5", "1", "1", "1", "1", "30"}
                                          << QStringList{"5", "1", "1", "20", "25", "30"};
        QTest::newRow("raise") << up << Col::Advance << 2 << 5 << 0 << QStringList{"1", "10", "10,5", "63", "63,5", "1"}
                               << QStringList{"1", "10,5", "11", "63,5", "63,5", "1"};
        QTest::newRow("lower") << down << Col::Advance << 1 << 4 << 0 << QStringList{"0,5", "1", "12", "x", "1", "1"}
                               << QStringList{"0,5", "0,5", "11,5", "x", "1", "1"};
        QTest::newRow("raise off the half degrees") << up << Col::Advance << 1 << 2 << 0 << QStringList{"10,2", "70", "1", "1", "1", "1"}
                                                     << QStringList{"10,5", "63,5", "1", "1", "1", "1"};
        QTest::newRow("one cell") << up << Col::Advance << 3 << 3 << 0 << QStringList{"1", "1", "1", "1", "1", "1"}
                                  << QStringList{"1", "1", "1,5", "1", "1", "1"};
        QTest::newRow("raise past frozen rows") << up << Col::Advance << 1 << 4 << 2 << QStringList{"1", "1", "1", "1", "1", "1"}
                                                << QStringList{"1", "1", "1,5", "1,5", "1", "1"};
    }
    void commands()
    {
        QFETCH(RangeCommand, command);
        QFETCH(int, column);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, frozen);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        Curve curve;
        for (int row = 1; row <= kCurveRows; ++row)
            curve.setCell(column, row, row <= before.size() ? before[row - 1] : QStringLiteral("1"));
        const Curve untouched = curve;

        const QList<int> changed = applyRangeCommand(curve, command, column, first, last, frozen);
        QStringList texts;
        QList<int> differing;
        for (int row = 1; row <= kCurveRows; ++row) {
            if (row <= after.size())
                texts << curve.cell(column, row);
            if (curve.cell(column, row) != untouched.cell(column, row))
                differing << row;
        }
        QCOMPARE(texts, after);
        QCOMPARE(changed, differing);
    }

    // A selection across columns acts on its advances; a single column only
    // where the command has a meaning.
    void selectedColumn_data()
    {
        QTest::addColumn<RangeCommand>("command");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("column"); // 0: none
        QTest::newRow("speeds to patterns") << RangeCommand::Lower << Col::Rpm << Col::Pattern << Col::Advance;
        QTest::newRow("speeds interpolated") << RangeCommand::Interpolate << Col::Rpm << Col::Rpm << Col::Rpm;
        QTest::newRow("speeds raised") << RangeCommand::Raise << Col::Rpm << Col::Rpm << 0;
        QTest::newRow("patterns") << RangeCommand::Interpolate << Col::Pattern << Col::Pattern << 0;
    }
    void selectedColumn()
    {
        QFETCH(RangeCommand, command);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, column);
        QCOMPARE(rangeColumn(command, first, last).value_or(0), column);
    }
};

QTEST_GUILESS_MAIN(TestRangeEdits)
#include "tst_range_edits.moc"
