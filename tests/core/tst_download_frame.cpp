#include "core/download_frame.h"
#include "sample_curves.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Applies changes written as "field=text" to the example curve. Fields:
// cylinders, shift, opening, dwell, in, out, corr, transp; rpm, advance and
// pattern set every row, advanceN and patternN only row N.
CurveTexts changed(const QStringList &changes)
{
    CurveTexts t = exampleDownloadCurve();
    for (const QString &change : changes) {
        const QString field = change.section('=', 0, 0);
        const QString text = change.section('=', 1);
        QString *fields[] = {&t.cylinders, &t.shiftRpm, &t.opening, &t.dwell, &t.inputPolarity,
                             &t.outputPolarity, &t.dwellCorrection, &t.transparent};
        const QStringList names = {"cylinders", "shift", "opening", "dwell", "in", "out", "corr", "transp"};
        if (names.contains(field)) {
            *fields[names.indexOf(field)] = text;
            continue;
        }
        static const QRegularExpression column(QStringLiteral("^(rpm|advance|pattern)(\\d*)$"));
        const QRegularExpressionMatch m = column.match(field);
        if (!m.hasMatch())
            qFatal("no such field in a change: %s", qPrintable(change));
        for (int r = 1; r <= kCurveRows; ++r) {
            if (!m.captured(2).isEmpty() && m.captured(2).toInt() != r)
                continue;
            RowTexts &row = t.rows[r - 1];
            (m.captured(1) == "rpm" ? row.rpm : m.captured(1) == "advance" ? row.advance : row.pattern) = text;
        }
    }
    return t;
}

} // namespace

class TestDownloadFrame : public QObject {
    Q_OBJECT

private slots:
    void exampleFrames_data()
    {
        QTest::addColumn<bool>("versionFlag");
        QTest::newRow("127 values") << false;
        QTest::newRow("128 values, options 2 and 5") << true;
    }
    void exampleFrames()
    {
        QFETCH(bool, versionFlag);
        const QByteArray frame = BuildDownloadFrame(exampleDownloadCurve(), versionFlag);
        QCOMPARE(frame, exampleDownloadFrame(versionFlag));
        QCOMPARE(frame.size(), kFrameValues + versionFlag);
        QVERIFY(CheckDownloadData(exampleDownloadCurve(), versionFlag));
    }

    // Values are numbered from 1 in frame order, with the version flag off.
    void values_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        const QString rising = QStringLiteral("Felfutó");
        const QString falling = QStringLiteral("Lefutó");
        QTest::newRow("both rising") << QStringList{"in=" + rising, "out=" + rising} << 1 << 195;
        QTest::newRow("both falling") << QStringList{"in=" + falling, "out=" + falling} << 1 << 3;
        QTest::newRow("English words") << QStringList{"in=Rising", "out=Falling"} << 1 << 131;
        QTest::newRow("other word falls") << QStringList{"in=felfutó", "out=Rising"} << 1 << 67;
        QTest::newRow("advance 12,3") << QStringList{"advance=12,3"} << 4 << 24;
        QTest::newRow("advance 63,5") << QStringList{"advance=63,5"} << 30 << 127;
        QTest::newRow("advance 0,5") << QStringList{"advance=0,5"} << 63 << 1;
        QTest::newRow("row 60 first") << QStringList{"advance60=30"} << 4 << 60;
        QTest::newRow("row 1 last") << QStringList{"advance1=30"} << 63 << 60;
        QTest::newRow("pattern of row 60 first") << QStringList{"pattern60=10100000"} << 67 << 160;
        QTest::newRow("pattern of row 1 last") << QStringList{"pattern1=00000001"} << 126 << 1;
        QTest::newRow("opening 0,2") << QStringList{"opening=0,2"} << 2 << 7;
        QTest::newRow("opening 2") << QStringList{"opening=2"} << 2 << 78;
        QTest::newRow("opening 0,256") << QStringList{"opening=0,256"} << 2 << 10;
        QTest::newRow("wide angle") << QStringList{"opening=*", "dwell=510"} << 2 << 0;
        QTest::newRow("narrow angle") << QStringList{"opening=#", "dwell=180"} << 2 << 0;
        QTest::newRow("dwell 510 wide") << QStringList{"opening=*", "dwell=510"} << 65 << 255;
        QTest::newRow("dwell 50 wide") << QStringList{"opening=*", "dwell=50"} << 65 << 25;
        QTest::newRow("dwell 180 narrow") << QStringList{"opening=#", "dwell=180"} << 65 << 180;
        QTest::newRow("dwell 10 ms") << QStringList{"dwell=10"} << 65 << 24;
        QTest::newRow("dwell 0,5 ms") << QStringList{"dwell=0,5"} << 65 << 1;
        QTest::newRow("P 520 low") << QStringList{"cylinders=8", "shift=18000"} << 3 << 8;
        QTest::newRow("P 520 high") << QStringList{"cylinders=8", "shift=18000"} << 66 << 2;
        QTest::newRow("8 cylinders") << QStringList{"cylinders=8"} << 127 << 143;
        QTest::newRow("P 125000 low") << QStringList{"cylinders=1", "shift=600"} << 3 << 72;
        QTest::newRow("P 125000 high") << QStringList{"cylinders=1", "shift=600"} << 66 << 232;
    }
    void values()
    {
        QFETCH(QStringList, changes);
        QFETCH(int, number);
        QFETCH(int, value);
        const QByteArray frame = BuildDownloadFrame(changed(changes), false);
        QCOMPARE(frame.size(), kFrameValues);
        QCOMPARE(static_cast<quint8>(frame[number - 1]), value);
    }

    void speedsAreNotSent()
    {
        QCOMPARE(BuildDownloadFrame(changed({"rpm=17000", "rpm3=600"}), true), exampleDownloadFrame(true));
    }

    void check_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<bool>("versionFlag");
        QTest::addColumn<bool>("passes");
        QTest::newRow("example") << QStringList{} << false << true;
        QTest::newRow("speed 599") << QStringList{"rpm=599"} << false << false;
        QTest::newRow("speed 600") << QStringList{"rpm=600"} << false << true;
        QTest::newRow("speed 18000") << QStringList{"rpm=18000"} << false << true;
        QTest::newRow("speed 18001 in row 60") << QStringList{"rpm60=18001"} << false << false;
        QTest::newRow("speed not a number") << QStringList{"rpm7=x"} << false << false;
        QTest::newRow("speed empty") << QStringList{"rpm7="} << false << false;
        QTest::newRow("speed in single precision") << QStringList{"rpm=18000,0001"} << false << true;
        QTest::newRow("advance 0,4") << QStringList{"advance=0,4"} << false << false;
        QTest::newRow("advance 0,5") << QStringList{"advance=0,5"} << false << true;
        QTest::newRow("advance 63,5") << QStringList{"advance=63,5"} << false << true;
        QTest::newRow("advance 64 in row 37") << QStringList{"advance37=64"} << false << false;
        QTest::newRow("advance -1") << QStringList{"advance2=-1"} << false << false;
        QTest::newRow("advance in single precision") << QStringList{"advance=63,500001"} << false << true;
        QTest::newRow("advance with a point") << QStringList{"advance=10.5"} << false << false;
        QTest::newRow("pattern of seven") << QStringList{"pattern9=0000000"} << false << false;
        QTest::newRow("pattern with a letter") << QStringList{"pattern9=0000000x"} << false << false;
        QTest::newRow("shift 599") << QStringList{"shift=599"} << false << false;
        QTest::newRow("shift 600, 2 cylinders") << QStringList{"shift=600", "cylinders=2"} << false << true;
        QTest::newRow("shift 18000") << QStringList{"shift=18000"} << false << true;
        QTest::newRow("shift 18001") << QStringList{"shift=18001"} << false << false;
        QTest::newRow("opening 0,19") << QStringList{"opening=0,19"} << false << false;
        QTest::newRow("opening 0,2") << QStringList{"opening=0,2"} << false << true;
        QTest::newRow("opening 2") << QStringList{"opening=2"} << false << true;
        QTest::newRow("opening 2,01") << QStringList{"opening=2,01"} << false << false;
        QTest::newRow("opening empty") << QStringList{"opening="} << false << false;
        QTest::newRow("opening ** is time mode") << QStringList{"opening=**", "dwell=100"} << false << false;
        QTest::newRow("time dwell 0,49") << QStringList{"dwell=0,49"} << false << false;
        QTest::newRow("time dwell 0,5") << QStringList{"dwell=0,5"} << false << true;
        QTest::newRow("time dwell 10") << QStringList{"dwell=10"} << false << true;
        QTest::newRow("time dwell 10,01") << QStringList{"dwell=10,01"} << false << false;
        QTest::newRow("wide dwell 49") << QStringList{"opening=*", "dwell=49"} << false << false;
        QTest::newRow("wide dwell 50") << QStringList{"opening=*", "dwell=50"} << false << true;
        QTest::newRow("wide dwell 510") << QStringList{"opening=*", "dwell=510"} << false << true;
        QTest::newRow("wide dwell 511") << QStringList{"opening=*", "dwell=511"} << false << false;
        QTest::newRow("narrow dwell 159") << QStringList{"opening=#", "dwell=159"} << false << false;
        QTest::newRow("narrow dwell 160") << QStringList{"opening=#", "dwell=160"} << false << true;
        QTest::newRow("narrow dwell 200") << QStringList{"opening=#", "dwell=200"} << false << true;
        QTest::newRow("narrow dwell 201") << QStringList{"opening=#", "dwell=201"} << false << false;
        QTest::newRow("no cylinders") << QStringList{"cylinders="} << false << false;
        QTest::newRow("no input polarity") << QStringList{"in="} << false << false;
        QTest::newRow("no output polarity") << QStringList{"out="} << false << false;
        QTest::newRow("options ignored without flag") << QStringList{"corr=", "transp="} << false << true;
        QTest::newRow("flag with both options") << QStringList{} << true << true;
        QTest::newRow("flag without dwell correction") << QStringList{"corr="} << true << false;
        QTest::newRow("flag without transparent ranges") << QStringList{"transp="} << true << false;
        // P = 75000000 / (cylinders x speed) must fit in 16 bits.
        QTest::newRow("P 125000") << QStringList{"cylinders=1", "shift=600"} << false << false;
        QTest::newRow("P 65559") << QStringList{"cylinders=1", "shift=1144"} << false << false;
        QTest::newRow("P 65502") << QStringList{"cylinders=1", "shift=1145"} << false << true;
    }
    void check()
    {
        QFETCH(QStringList, changes);
        QFETCH(bool, versionFlag);
        QFETCH(bool, passes);
        QCOMPARE(CheckDownloadData(changed(changes), versionFlag), passes);
    }
};

QTEST_APPLESS_MAIN(TestDownloadFrame)
#include "tst_download_frame.moc"
