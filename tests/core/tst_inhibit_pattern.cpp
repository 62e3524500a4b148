#include "core/inhibit_pattern.h"

#include <QTest>

class TestInhibitPattern : public QObject {
    Q_OBJECT

private slots:
    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "00000000" << 0;
        QTest::newRow("first is bit 7") << "10000000" << 128;
        QTest::newRow("last is bit 0") << "00000001" << 1;
        QTest::newRow("10100000") << "10100000" << 160;
        QTest::newRow("all ones") << "11111111" << 255;
        QTest::newRow("too short") << "1010" << -1;
        QTest::newRow("nine characters") << "101000001" << -1;
        QTest::newRow("letter") << "1010a000" << -1;
        QTest::newRow("blank") << "1010 000" << -1;
        QTest::newRow("sign") << "+1010000" << -1;
        QTest::newRow("digit 2") << "10100002" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("minus one") << "-1" << -1;
    }
    void parses()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(ParseInhibitPattern(text), value);
    }
};

QTEST_APPLESS_MAIN(TestInhibitPattern)
#include "tst_inhibit_pattern.moc"
