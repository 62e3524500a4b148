// Times downloads through the main window and the real serial line over a
// pseudo-terminal pair, offscreen, with every core kept busy (--idle: on an
// idle machine), and the frame's construction.
//   build/bench/bench_download [--idle]
// Prints one table: median, min and max of each measurement, and how many
// downloads met the module's aim.
#include "bench_table.h"
#include "break_recorder.h"
#include "cpu_load.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "form_fixture.h"
#include "pty_pair.h"
#include "sample_curves.h"
#include "serial/download_session.h"
#include "serial/serial_comm.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

using Ms = std::chrono::duration<double, std::milli>;

// The real line, noting when the BREAK ended and when the first group was
// handed to it.
class TimedLine : public SerialLine {
public:
    explicit TimedLine(SerialLine &line) : line_(line) {}
    std::chrono::steady_clock::time_point breakEnded, firstWrite;

    void SetDeviceName(const QString &name) override { line_.SetDeviceName(name); }
    void Open() override { line_.Open(); }
    qint64 InQueCount() override { return line_.InQueCount(); }
    qint64 Read(char *buffer, qint64 count) override { return line_.Read(buffer, count); }
    bool SetBREAKState(bool on) override
    {
        const bool done = line_.SetBREAKState(on);
        if (!on) {
            breakEnded = std::chrono::steady_clock::now();
            firstWrite = {};
        }
        return done;
    }
    bool Write(const char *data, qint64 count) override
    {
        if (firstWrite == std::chrono::steady_clock::time_point())
            firstWrite = std::chrono::steady_clock::now();
        return line_.Write(data, count);
    }
    qint64 OutQueCount() override { return line_.OutQueCount(); }
    bool Drain() override { return line_.Drain(); }
    void Discard() override { line_.Discard(); }
    QString LineError() const override { return line_.LineError(); }
    void Close() override { line_.Close(); }

private:
    SerialLine &line_;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool idle = QApplication::arguments().contains(QStringLiteral("--idle"));
    constexpr int kDownloads = 20;

    PtyPair pty;
    if (!pty.isValid()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    FormFixture f;
    TComm comm([&] { return QStringList{pty.slavePath()}; });
    TimedLine timed(comm);
    f.serialLine = &timed;
    f.writeFile("c.igc", writeCurveFile(exampleDownloadCurve()));
    f.writeSettings((f.path("c.igc") + "\r\n1\r\n0\r\n0\r\n").toLatin1());
    TForm1 &form = f.start();

    const QByteArray expected = exampleDownloadLine(false);
    QList<double> hold, firstWrite, firstByte, sending, whole;
    int lost = 0;
    std::optional<CpuLoad> load;
    if (!idle)
        load.emplace();
    for (int i = 0; i < kDownloads; ++i) {
        BreakRecorder::clear();
        pty.forget();
        f.prompts.log.clear();
        QSignalSpy finished(&form.downloadSession(), &DownloadSession::finished);
        QElapsedTimer clock;
        clock.start();
        form.LetoltBtn->click();
        // A real event loop, as in the program.
        finished.wait(5000);
        whole << clock.nsecsElapsed() / 1e6;
        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::requests();
        const QByteArray arrived = pty.waitForBytes(expected.size(), 2000);
        if (breaks.size() != 2 || arrived != expected || f.prompts.log.size() != 1) {
            ++lost;
            continue;
        }
        hold << Ms(breaks[1].at - breaks[0].at).count();
        firstWrite << Ms(timed.firstWrite - timed.breakEnded).count();
        firstByte << Ms(*pty.firstByteTime() - breaks[1].at).count();
        sending << whole.last() - hold.last();
    }
    const unsigned busy = load ? load->threads() : 0;
    load.reset();

    // The window hands over its document's curve, every number read already.
    const Curve curve = exampleDownloadCurve();
    const Stats build = measure(1000, [&] {
        if (CheckDownloadData(curve, false))
            BuildDownloadFrame(curve, false);
    });

    // On a real line every byte takes ten bits at 2400 baud.
    const double lineTime = 381 * 10 * 1000.0 / 2400;
    std::printf("%d downloads of 381 bytes over a pty, %u threads keeping the cores busy, %d with a byte lost or changed\n\n",
                kDownloads, busy, lost);
    header();
    if (!hold.isEmpty()) {
        row("BREAK hold", stats(hold), "500.0 - 502.0, never < 500");
        row("BREAK end to first Write", stats(firstWrite), "< 1");
        row("BREAK end to first byte at the pty", stats(firstByte), "< 1");
        row("press to done less the hold (pty)", stats(sending), "");
        row("press to done, over the pty", stats(whole), "");
        QList<double> realLine;
        for (const double ms : whole)
            realLine << ms + lineTime;
        row("same on a 2400 baud line (+1587.5)", stats(realLine), "floor 2087.5");
    }
    row("CheckDownloadData + BuildDownloadFrame", build, "");
    printAim(hold, firstByte);
    return lost == 0 ? 0 : 1;
}
