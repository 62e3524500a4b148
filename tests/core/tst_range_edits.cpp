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
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const auto I = RangeCommand::Interpolate;
        const int adv = Col::Advance;
        QTest::newRow("straight line") << I << adv << 1 << 5 << 0 << "10 1 1 1 20 1" << "10 12,5 15 17,5 20 1";
        // 10,25 and 10,75 go up; never to the nearest even.
        QTest::newRow("halves up, rising") << I << adv << 1 << 5 << 0 << "10 1 1 1 11 1" << "10 10,5 10,5 11 11 1";
        QTest::newRow("speeds in whole rpm") << I << Col::Rpm << 1 << 4 << 0 << "1000 1 1 1001 1 1" << "1000 1000 1001 1001 1 1";
        QTest::newRow("an end not a number") << I << adv << 1 << 4 << 0 << "10 1 1 x 1 1" << "10 1 1 x 1 1";
        QTest::newRow("frozen rows kept") << I << adv << 1 << 6 << 3 << "5 1 1 1 1 30" << "5 1 1 20 25 30";
        QTest::newRow("raise to the top") << RangeCommand::Raise << adv << 2 << 5 << 0 << "1 10 10,2 63 63,5 1" << "1 10,5 10,5 63,5 63,5 1";
        QTest::newRow("lower to the bottom") << RangeCommand::Lower << adv << 1 << 4 << 0 << "0,5 1 12 x 1 1" << "0,5 0,5 11,5 x 1 1";
        QTest::newRow("raise past frozen rows") << RangeCommand::Raise << adv << 1 << 4 << 2 << "1 1 1 1 1 1" << "1 1 1,5 1,5 1 1";
    }
    void commands()
    {
        QFETCH(RangeCommand, command);
        QFETCH(int, column);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, frozen);
        QFETCH(QString, before);
        QFETCH(QString, after);
        const QStringList texts = before.split(' ');
        Curve curve;
        for (int row = 1; row <= kCurveRows; ++row)
            curve.setCell(column, row, texts.value(row - 1, "1"));

        applyRangeCommand(curve, command, column, first, last, frozen);
        QStringList now;
        for (int row = 1; row <= texts.size(); ++row)
            now << curve.cell(column, row);
        QCOMPARE(now.join(' '), after);
    }
};

QTEST_GUILESS_MAIN(TestRangeEdits)
#include "tst_range_edits.moc"
