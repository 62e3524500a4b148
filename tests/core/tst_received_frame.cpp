// A received line read back: the frame's rules with the first place a line
// breaks them, the first difference from the frame a curve gives, and the
// curve rebuilt from a frame, which must give the same bytes again.
#include "core/received_frame.h"
#include "sample_curves.h"

#include <QTest>

namespace {

QByteArray withValue(QByteArray line, int number, char value)
{
    line[(number - 1) * kGroupBytes] = value;
    return line;
}

} // namespace

class TestReceivedFrame : public QObject {
    Q_OBJECT

private slots:
    void downloadsReadBack_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<bool>("angleMode");
        QTest::newRow("example") << QStringList{} << false;
        QTest::newRow("options 2 and 5") << QStringList{"version=8,3"} << false;
        QTest::newRow("wide angle") << QStringList{"opening=*", "dwell=510"} << true;
        QTest::newRow("wide angle, dwell in narrow's range") << QStringList{"opening=*", "dwell=360"} << true;
        QTest::newRow("narrow angle") << QStringList{"opening=#", "dwell=180"} << true;
        QTest::newRow("opening 0,256") << QStringList{"opening=0,256"} << false;
        QTest::newRow("dwell 0,5 ms") << QStringList{"dwell=0,5", "opening=2"} << false;
        QTest::newRow("period beyond 16 bits") << QStringList{"cylinders=1", "shift=600"} << false;
        QTest::newRow("8 cylinders at 18000") << QStringList{"cylinders=8", "shift=18000", "version=9"} << false;
        // Its first 127 values read as a frame without the options value.
        QTest::newRow("row 1: 6° and 11111111") << QStringList{"version=8,3", "advance1=6", "pattern1=11111111"} << false;
        QTest::newRow("English words") << QStringList{"in=Rising", "out=Falling"} << false;
        QStringList rows{"version=8,3", "corr=15", "transp=0"};
        for (int r = 1; r <= kCurveRows; ++r)
            rows << QStringLiteral("advance%1=%2").arg(r).arg(r / 2.0).replace('.', ',')
                 << QStringLiteral("pattern%1=%2").arg(r).arg(r * 4, 8, 2, QLatin1Char('0'));
        QTest::newRow("every row its own") << rows << false;
    }
    void downloadsReadBack()
    {
        QFETCH(QStringList, changes);
        QFETCH(bool, angleMode);
        const CurveTexts file = exampleCurveWith(changes);
        const QByteArray line = frameLine(curveFileFrame(file));
        const auto reading = readDownloadLine(line);
        QVERIFY(std::holds_alternative<ReceivedFrame>(reading));
        const ReceivedFrame &frame = std::get<ReceivedFrame>(reading);
        QCOMPARE(frameLine(frame.values), line);

        // Without the file the speeds, the version and perhaps the mode are
        // guesses, and the bytes the same.
        const std::optional<RebuiltCurve> guessed = rebuildCurve(frame, std::nullopt);
        QVERIFY(guessed);
        QCOMPARE(curveFileFrame(guessed->texts), frame.values);
        QCOMPARE(guessed->guesses.contains(Guess::ControlMode), angleMode);
        QVERIFY(guessed->guesses.contains(Guess::Version));

        // With it, the file's own texts, guessing nothing.
        const std::optional<RebuiltCurve> known = rebuildCurve(frame, file);
        QVERIFY(known);
        QCOMPARE(known->texts, file);
        QCOMPARE(known->guesses, QList<Guess>{});
    }

    void faults_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("found");
        using K = FrameFault::Kind;
        const QByteArray short127 = exampleDownloadLine(false);
        const QByteArray long128 = exampleDownloadLine(true);
        QTest::newRow("a filler lost") << QByteArray(long128).remove(9 * kGroupBytes + 1, 1) << int(K::FillerMissing) << 10 << 20;
        QTest::newRow("cut in a group") << short127.chopped(1) << int(K::FillerMissing) << 127 << 79;
        QTest::newRow("126 values") << short127.chopped(kGroupBytes) << int(K::TooFew) << 126 << 0;
        QTest::newRow("nothing") << QByteArray() << int(K::TooFew) << 0 << 0;
        QTest::newRow("130 values") << frameLine(QByteArray(130, '\0')) << int(K::TooMany) << 130 << 0;
        QTest::newRow("12 shifted by one") << withValue(withValue(short127, 64, 7), 65, 12) << int(K::FixedBits) << 64 << 7;
        QTest::newRow("control bits") << withValue(short127, 1, 7) << int(K::FixedBits) << 1 << 7;
        QTest::newRow("cylinders bits") << withValue(long128, 128, 0x40) << int(K::FixedBits) << 128 << 64;
        QTest::newRow("a byte after 127 values") << short127 + '\x01' << int(K::BytesAfter) << 127 << 1;
        QTest::newRow("a filler after 127 values") << short127 + '\xFF' << int(K::BytesAfter) << 127 << 1;
        QTest::newRow("a group after 128 values") << long128 + valueGroup(1) << int(K::BytesAfter) << 128 << 3;
    }
    void faults()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, kind);
        QFETCH(int, value);
        QFETCH(int, found);
        const auto reading = readDownloadLine(line);
        QVERIFY(std::holds_alternative<FrameFault>(reading));
        const FrameFault &fault = std::get<FrameFault>(reading);
        QCOMPARE(int(fault.kind), kind);
        QCOMPARE(fault.value, value);
        QCOMPARE(fault.found, found);
    }

    void faultTexts()
    {
        const QByteArray fillerLost = withValue(exampleDownloadLine(true), 66, 20).remove(65 * kGroupBytes + 2, 1);
        QCOMPARE(frameFaultText(std::get<FrameFault>(readDownloadLine(fillerLost))), "value 66: 255 filler missing after 20");
        QCOMPARE(frameFaultText(std::get<FrameFault>(readDownloadLine(exampleDownloadLine(false).chopped(3)))), "126 values: one short");
    }

    // The first difference in frame order: row 60 comes first.
    void differences_data()
    {
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<bool>("versionFlag");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("row");
        QTest::newRow("row 12 advance") << QStringList{"advance12=20,5"} << QStringList{"advance12=21"} << false << int(FrameSlot::Advance) << 12;
        QTest::newRow("row 60 before row 1") << QStringList{"advance1=11", "advance60=11"} << QStringList{} << false << int(FrameSlot::Advance) << 60;
        QTest::newRow("pattern before cylinders") << QStringList{"pattern3=00000001", "cylinders=6", "shift=4000"} << QStringList{} << false << int(FrameSlot::Pattern) << 3;
        QTest::newRow("output polarity") << QStringList{"out=Felfutó"} << QStringList{} << false << int(FrameSlot::Control) << 0;
        QTest::newRow("shift-light speed") << QStringList{"shift=6500"} << QStringList{} << false << int(FrameSlot::PeriodLow) << 0;
        QTest::newRow("dwell") << QStringList{"dwell=5"} << QStringList{} << false << int(FrameSlot::Dwell) << 0;
        QTest::newRow("options value") << QStringList{"version=8,3"} << QStringList{} << true << 0 << 0;
    }
    void differences()
    {
        QFETCH(QStringList, sent);
        QFETCH(QStringList, file);
        QFETCH(bool, versionFlag);
        QFETCH(int, slot);
        QFETCH(int, row);
        const auto frameOf = [](const QStringList &changes) {
            return std::get<ReceivedFrame>(readDownloadLine(frameLine(curveFileFrame(exampleCurveWith(changes)))));
        };
        const ReceivedFrame received = frameOf(sent);
        const ReceivedFrame expected = frameOf(file);
        const std::optional<FrameDifference> difference = frameDifference(received, expected);
        QVERIFY(difference);
        QCOMPARE(difference->versionFlag, versionFlag);
        if (!versionFlag) {
            QCOMPARE(int(difference->place.slot), slot);
            QCOMPARE(difference->place.row, row);
        }
        if (QByteArray(QTest::currentDataTag()) == "row 12 advance")
            QCOMPARE(frameDifferenceText(*difference, received, expected, ControlMode::Time), "row 12 advance: received 20,5°, file says 21°");
        QVERIFY(!frameDifference(received, received));
    }

    void noCurveGivesZeroCylindersAPeriod()
    {
        const auto reading = readDownloadLine(withValue(exampleDownloadLine(false), 127, 0x0F));
        QVERIFY(std::holds_alternative<ReceivedFrame>(reading));
        QVERIFY(!rebuildCurve(std::get<ReceivedFrame>(reading), std::nullopt));
    }
};

QTEST_GUILESS_MAIN(TestReceivedFrame)
#include "tst_received_frame.moc"
