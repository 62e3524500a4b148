#include "core/curve_file.h"
#include "core/polarity.h"
#include "sample_curves.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray lines(const QList<QByteArray> &items)
{
    QByteArray bytes;
    for (const QByteArray &item : items)
        bytes += item + "\r\n";
    return bytes;
}

// Every text of a curve in file order, from the cylinders to row 60's pattern.
QStringList fields(const CurveTexts &t)
{
    QStringList all{t.cylinders,      t.shiftRpm,       t.opening, t.dwell,           t.inputPolarity,
                    t.outputPolarity, t.version,        t.dwellCorrection, t.transparent};
    for (const RowTexts &row : t.rows)
        all << row.rpm << row.advance << row.pattern;
    return all;
}

} // namespace

class TestCurveFile : public QObject {
    Q_OBJECT

private slots:
    void writesIgc1Layout()
    {
        const QByteArray bytes = writeCurveFile(sampleCurve());
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> split = bytes.chopped(1).split('\n');
        QCOMPARE(split.size(), 190);
        for (const QByteArray &line : split)
            QVERIFY(line.endsWith('\r'));
        QCOMPARE(split[0], "igc1\r");
        QCOMPARE(split[5], "Felfut\xf3\r");
        QCOMPARE(split[6], "Lefut\xf3\r");
        QCOMPARE(split[7], "8,3\r");
        QCOMPARE(split[10], "700\r");             // row 1 speed
        QCOMPARE(split[11], "1,5\r");             // row 1 advance
        QCOMPARE(split[189], "10100000\r");       // row 60 pattern
    }

    void roundTripIsExact()
    {
        const CurveTexts curve = sampleCurve();
        const QByteArray bytes = writeCurveFile(curve);
        const auto file = readCurveFile(bytes);
        QVERIFY(file);
        QCOMPARE(file->variant, CurveVariant::Igc1);
        QVERIFY(file->texts == curve);
        QCOMPARE(writeCurveFile(file->texts), bytes);
    }

    void readsOldIgcVariant()
    {
        QList<QByteArray> items = {"igc", "6", "7000", "*", "300", "Rising", "Falling"};
        for (int r = 1; r <= kCurveRows; ++r)
            items << QByteArray::number(700 + r) << "12,5" << "11111111";
        const auto file = readCurveFile(lines(items));
        QVERIFY(file);
        QCOMPARE(file->variant, CurveVariant::Igc);
        QCOMPARE(file->texts.opening, "*");
        QCOMPARE(file->texts.outputPolarity, "Falling");
        QCOMPARE(file->texts.version, "0");
        QCOMPARE(file->texts.dwellCorrection, "0");
        QCOMPARE(file->texts.transparent, "0");
        QCOMPARE(file->texts.rows[0].rpm, "701");
        QCOMPARE(file->texts.rows[59].pattern, "11111111");
    }

    void refusesOtherMagic_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("upper case") << QByteArray("IGC1\r\n4\r\n");
        QTest::newRow("another digit") << QByteArray("igc2\r\n4\r\n");
        QTest::newRow("trailing blank") << QByteArray("igc1 \r\n4\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("text") << QByteArray("hello\r\n");
    }
    void refusesOtherMagic()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!readCurveFile(bytes));
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cylinders");
        QTest::addColumn<QString>("shiftRpm");
        QTest::newRow("LF only") << QByteArray("igc1\n4\n6500\n") << "4" << "6500";
        QTest::newRow("CR kept when alone") << QByteArray("igc1\n4\r5\n6500\n") << "4\r5" << "6500";
        QTest::newRow("no final line end") << QByteArray("igc1\r\n4\r\n6500") << "4" << "6500";
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cylinders);
        QFETCH(QString, shiftRpm);
        const auto file = readCurveFile(bytes);
        QVERIFY(file);
        QCOMPARE(file->texts.cylinders, cylinders);
        QCOMPARE(file->texts.shiftRpm, shiftRpm);
    }

    void shortFileLeavesTheRestEmpty()
    {
        // The last line has no line end: only that one field gets its text.
        const auto file = readCurveFile("igc1\r\n4\r\n6500\r\n1\r\n3\r\nLefut\xf3\r\nFelfut\xf3\r\n8,3\r\n0\r\n0\r\n650\r\n12");
        QVERIFY(file);
        QCOMPARE(file->texts.rows[0].rpm, "650");
        QCOMPARE(file->texts.rows[0].advance, "12");
        QCOMPARE(file->texts.rows[0].pattern, "");
        QCOMPARE(file->texts.rows[59].advance, "");
    }

    void longLineStaysInItsField()
    {
        const QByteArray longLine(200, '7');
        const auto file = readCurveFile(lines({"igc1", "4", longLine, "1", "3"}));
        QVERIFY(file);
        QCOMPARE(file->texts.shiftRpm, QString(79, '7'));
        QCOMPARE(file->texts.opening, "1");
        QCOMPARE(file->texts.dwell, "3");
        QCOMPARE(file->texts.inputPolarity, "");
    }

    void translatesPolarityWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("result");
        QTest::newRow("Rising to Hungarian") << "Rising" << 0 << QStringLiteral("Felfutó");
        QTest::newRow("Falling to Hungarian") << "Falling" << 0 << QStringLiteral("Lefutó");
        QTest::newRow("Felfutó to English") << QStringLiteral("Felfutó") << 1 << "Rising";
        QTest::newRow("Lefutó to English") << QStringLiteral("Lefutó") << 1 << "Falling";
        QTest::newRow("already Hungarian") << QStringLiteral("Lefutó") << 0 << QStringLiteral("Lefutó");
        QTest::newRow("already English") << "Rising" << 1 << "Rising";
        QTest::newRow("case counts") << "rising" << 0 << "rising";
        QTest::newRow("digits unchanged") << "5" << 0 << "5";
        QTest::newRow("no language") << "Rising" << -1 << "Rising";
        QTest::newRow("other language") << "Rising" << 2 << "Rising";
    }
    void translatesPolarityWords()
    {
        QFETCH(QString, word);
        QFETCH(int, language);
        QFETCH(QString, result);
        QCOMPARE(TranslatePolarityWord(word, language), result);
    }

    // A file cut off anywhere reads as far as it goes: every field holds the
    // beginning of its text (or nothing), never another field's text.
    void truncatedFileReadsItsBeginning()
    {
        const CurveTexts sample = sampleCurve();
        const QByteArray good = writeCurveFile(sample);
        const QStringList whole = fields(sample);
        for (qsizetype n = 0; n <= good.size(); ++n) {
            const auto file = readCurveFile(good.left(n));
            const QString cut = QStringLiteral("cut after %1 bytes").arg(n);
            QVERIFY2(file.has_value() == (n >= 3), qPrintable(cut));
            if (n == 3) // "igc", the older variant
                QCOMPARE(file->variant, CurveVariant::Igc);
            if (n < 4)
                continue;
            QCOMPARE(file->variant, CurveVariant::Igc1);
            const QStringList read = fields(file->texts);
            for (qsizetype i = 0; i < read.size(); ++i)
                QVERIFY2(whole[i].startsWith(read[i]), qPrintable(cut + ", field " + QString::number(i)));
        }
    }

    // Any bytes: a curve only for a first line "igc" or "igc1", and then
    // every field one line of at most 79 characters.
    void randomBytesKeepTheContract()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes = (i % 2 ? QByteArray("igc1\n") : QByteArray());
            const int size = random.bounded(4000);
            for (int b = 0; b < size; ++b)
                bytes += char(random.bounded(256));
            const QString input = QStringLiteral("seed %1, input %2").arg(seed).arg(i);
            const auto file = readCurveFile(bytes);
            QByteArray first = bytes.left(bytes.indexOf('\n'));
            if (first.endsWith('\r'))
                first.chop(1);
            QVERIFY2(file.has_value() == (first == "igc" || first == "igc1"), qPrintable(input));
            if (!file)
                continue;
            for (const QString &field : fields(file->texts))
                QVERIFY2(field.size() <= 79 && !field.contains('\n'), qPrintable(input));
        }
    }
};

QTEST_APPLESS_MAIN(TestCurveFile)
#include "tst_curve_file.moc"
