#include "core/number_text.h"
#include "core/platform_error.h"

#include <QTest>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readsCommaNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -1: not a number
        QTest::newRow("integer") << "650" << 650.0;
        QTest::newRow("comma fraction") << "0,5" << 0.5;
        QTest::newRow("point is not a separator") << "0.5" << -1.0;
        QTest::newRow("leading comma") << ",5" << 0.5;
        QTest::newRow("trailing comma") << "12," << 12.0;
        QTest::newRow("negative") << "-2,25" << -2.25;
        QTest::newRow("blanks around") << "  63,5 " << 63.5;
        QTest::newRow("exponent") << "1,5e3" << 1500.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("blank") << "   " << -1.0;
        QTest::newRow("letters") << "abc" << -1.0;
        QTest::newRow("two commas") << "1,2,3" << -1.0;
        QTest::newRow("thousands point") << "1.000,5" << -1.0;
        QTest::newRow("trailing letter") << "12a" << -1.0;
        QTest::newRow("inner blank") << "1 2" << -1.0;
        QTest::newRow("infinity") << "inf" << -1.0;
        QTest::newRow("overflow") << "1e999" << -1.0;
        QTest::newRow("minus one itself") << "-1" << -1.0;
    }
    void readsCommaNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(readNumber(text), value);
        QCOMPARE(parseNumber(text).has_value(), value != -1.0 || text == "-1");
    }

    void conversionWithoutDefaultRaises()
    {
        QCOMPARE(convertNumber("12,5"), 12.5);
        try {
            convertNumber("abc");
            QFAIL("no error raised");
        } catch (const PlatformError &e) {
            QVERIFY(e.message().contains("'abc'"));
        }
    }

    void versionBothWays_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("shortest");
        QTest::newRow("8,3") << "8,3" << qint64(83000) << "8,3";
        QTest::newRow("whole") << "9" << qint64(90000) << "9";
        QTest::newRow("zero") << "0" << qint64(0) << "0";
        QTest::newRow("four digits") << "8,2999" << qint64(82999) << "8,2999";
        QTest::newRow("trailing zeros") << "8,3000" << qint64(83000) << "8,3";
        QTest::newRow("fifth digit rounds") << "8,29995" << qint64(83000) << "8,3";
        QTest::newRow("small fraction") << "0,0001" << qint64(1) << "0,0001";
        QTest::newRow("negative") << "-1,25" << qint64(-12500) << "-1,25";
        QTest::newRow("point is not a number") << "8.3" << qint64(0) << "0";
        QTest::newRow("empty") << "" << qint64(0) << "0";
        QTest::newRow("letters") << "abc" << qint64(0) << "0";
        QTest::newRow("out of range") << "1e20" << qint64(0) << "0";
    }
    void versionBothWays()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QFETCH(QString, shortest);
        QCOMPARE(parseVersion(text), value);
        QCOMPARE(versionText(value), shortest);
    }

    void versionFallbackAndExtremes()
    {
        QCOMPARE(parseVersion("x", 7), 7);
        QCOMPARE(versionText(std::numeric_limits<std::int64_t>::min()), "-922337203685477,5808");
        QCOMPARE(versionText(std::numeric_limits<std::int64_t>::max()), "922337203685477,5807");
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
