// Where a received download starts and ends, on a line whose arrivals and
// their times are scripted: a wait sees what the script holds within it, as
// a poll would.
#include "serial/download_receiver.h"

#include <QTest>

using namespace std::chrono;
using Clock = ReceiveLine::Clock;

namespace {

const Clock::time_point kStart = Clock::time_point() + hours(1);

struct Script {
    QList<ReceiveLine::Arrival> arrivals;
    QList<Clock::time_point> stops; // a stop is asked for with these arrivals
};

class ScriptedLine final : public ReceiveLine {
public:
    ScriptedLine(Script script, std::atomic<bool> &stop) : script_(std::move(script)), stop_(stop) {}
    QString path() const override { return QStringLiteral("scripted"); }
    bool seesBreak() const override { return true; }
    Arrival wait(int ms) override
    {
        const Clock::time_point until = now_ + milliseconds(ms);
        if (!script_.arrivals.isEmpty() && script_.arrivals.first().at <= until) {
            now_ = script_.arrivals.first().at;
            if (script_.stops.contains(now_))
                stop_ = true;
            return script_.arrivals.takeFirst();
        }
        now_ = until;
        // Long after the last arrival the test has seen everything.
        if (script_.arrivals.isEmpty() && now_ - kStart > seconds(10))
            stop_ = true;
        return Arrival{now_, {}, {}, false};
    }

private:
    Script script_;
    std::atomic<bool> &stop_;
    Clock::time_point now_ = kStart;
};

// "T:part+part...": at T ms, in order, "B" a BREAK, "N" that many bytes,
// "closed" the other end closing, "stop" a stop asked for.
Script arrivals(const QStringList &steps)
{
    Script script;
    for (const QString &step : steps) {
        ReceiveLine::Arrival a{kStart + milliseconds(step.section(':', 0, 0).toInt()), {}, {}, false};
        for (const QString &part : step.section(':', 1).split('+')) {
            if (part == "B")
                a.breaks << a.bytes.size();
            else if (part == "closed")
                a.closed = true;
            else if (part == "stop")
                script.stops << a.at;
            else
                a.bytes += QByteArray(part.toInt(), 'x');
        }
        script.arrivals << a;
    }
    return script;
}

QString summary(const ReceivedDownload &d)
{
    const auto ms = [](ReceivedDownload::Duration t) { return QString::number(duration_cast<milliseconds>(t).count()); };
    return QStringLiteral("%1 bytes").arg(d.bytes.size()) + (d.breakToFirstByte ? ", BREAK " + ms(*d.breakToFirstByte) : QString())
           + ", silence " + ms(d.silenceBefore) + ", gap " + ms(d.longestGap) + (d.closed ? ", closed" : "")
           + (d.strayBytes ? QStringLiteral(", %1 stray").arg(d.strayBytes) : QString());
}

} // namespace

class TestDownloadReceiver : public QObject {
    Q_OBJECT

private slots:
    void downloads_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("downloads");
        QTest::newRow("no BREAK: after the silence") << QStringList{"600:381+closed"} << QStringList{"381 bytes, silence 600, gap 0, closed"};
        QTest::newRow("no BREAK: bytes too soon are stray")
            << QStringList{"10:2", "700:381+closed"} << QStringList{"381 bytes, silence 690, gap 0, closed, 2 stray"};
        QTest::newRow("a hang-up with nothing received")
            << QStringList{"300:closed", "600:381+closed"} << QStringList{"381 bytes, silence 600, gap 0, closed"};
        QTest::newRow("99 ms apart: one download") << QStringList{"500:100", "599:100"} << QStringList{"200 bytes, silence 500, gap 99"};
        QTest::newRow("100 ms of silence ends it")
            << QStringList{"500:100", "550:100", "700:100", "1200:5"}
            << QStringList{"200 bytes, silence 500, gap 50", "5 bytes, silence 500, gap 0, 100 stray"};
        QTest::newRow("stopped while it comes") << QStringList{"600:100+stop", "600:100", "700:5"} << QStringList{"200 bytes, silence 600, gap 0"};
        QTest::newRow("BREAK, then the frame") << QStringList{"100:B", "610:381"} << QStringList{"381 bytes, BREAK 510, silence 100, gap 0"};
        QTest::newRow("a BREAK reported again") << QStringList{"100:B", "116:B", "132:B", "610:381"}
                                                << QStringList{"381 bytes, BREAK 510, silence 100, gap 0"};
        QTest::newRow("wake pulse, then a download") << QStringList{"100:B", "1800:B", "2300:381"}
                                                     << QStringList{"381 bytes, BREAK 500, silence 1800, gap 0"};
        QTest::newRow("the next BREAK right after a frame")
            << QStringList{"600:B", "1100:381", "1150:B", "1650:381"}
            << QStringList{"381 bytes, BREAK 500, silence 600, gap 0", "381 bytes, BREAK 500, silence 50, gap 0"};
        QTest::newRow("...in the same arrival") << QStringList{"600:B", "1100:381+B", "1600:381"}
                                                << QStringList{"381 bytes, BREAK 500, silence 600, gap 0",
                                                               "381 bytes, BREAK 500, silence 0, gap 0"};
    }
    void downloads()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, downloads);
        std::atomic<bool> stop{false};
        DownloadReceiver receiver(std::make_unique<ScriptedLine>(arrivals(script), stop), kStart);
        QStringList received;
        while (const std::optional<ReceivedDownload> download = receiver.next(stop))
            received << summary(*download);
        QCOMPARE(received, downloads);
    }
};

QTEST_GUILESS_MAIN(TestDownloadReceiver)
#include "tst_download_receiver.moc"
