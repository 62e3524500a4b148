// igctool as whole processes: `check` beside a bare QtCore program that only
// parses its arguments, alternately, and `download` over a pseudo-terminal
// pair with its BREAKs logged from inside the process, with every core kept
// busy (--idle: on an idle machine).
//   build/bench/bench_igctool [ROUNDS] [--idle]
#include "bench_table.h"
#include "break_recorder.h"
#include "core/curve_file.h"
#include "cpu_load.h"
#include "core/text_file.h"
#include "process_timing.h"
#include "pty_pair.h"
#include "sample_curves.h"
#include "tool_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <optional>

namespace {

using Ms = std::chrono::duration<double, std::milli>;

void printRow(const char *what, const QList<double> &values, const char *target)
{
    if (!values.isEmpty())
        row(what, stats(values), target);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 20;
    const bool idle = QCoreApplication::arguments().contains(QStringLiteral("--idle"));
    const QString tool = QStringLiteral(IGCTOOL_PATH);
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_core");
    QTemporaryDir dir;
    writeTextFile(dir.filePath("c.igc"), writeCurveFile(exampleDownloadCurve()));

    const auto runs = runAlternately({{tool, "check", "c.igc"}, {bare, "check", "c.igc"}}, dir.path(), rounds);
    QList<double> wall[2], cpu[2];
    for (int c = 0; c < 2; ++c) {
        for (const ProcessRun &run : runs[c]) {
            wall[c] << run.wallMs;
            cpu[c] << run.cpuMs;
        }
    }

    PtyPair pty;
    if (!pty.isValid()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    // igctool refuses a port another process holds.
    pty.closeSlave();
    const QString log = dir.filePath("breaks.log");
    const QProcessEnvironment logging = breakLogging(log);
    for (const QString &name : logging.keys())
        qputenv(name.toLocal8Bit(), logging.value(name).toLocal8Bit());
    const QByteArray expected = exampleDownloadLine(false);
    QList<double> toBreak, hold, firstByte, rest, whole;
    int lost = 0;
    std::optional<CpuLoad> load;
    if (!idle)
        load.emplace();
    for (int i = 0; i < rounds; ++i) {
        pty.forget();
        QFile::remove(log);
        const auto start = std::chrono::steady_clock::now();
        const ProcessRun run = runProcess(tool, {"download", "c.igc", "--port", pty.slavePath()}, dir.path());
        const std::vector<BreakRecorder::Request> breaks = BreakRecorder::readLog(qPrintable(log));
        if (run.status != 0 || breaks.size() != 2 || pty.waitForBytes(expected.size(), 2000) != expected) {
            ++lost;
            continue;
        }
        toBreak << Ms(breaks[0].at - start).count();
        hold << Ms(breaks[1].at - breaks[0].at).count();
        firstByte << Ms(*pty.firstByteTime() - breaks[1].at).count();
        whole << run.wallMs;
        rest << run.wallMs - hold.last();
    }
    const unsigned busy = load ? load->threads() : 0;
    load.reset();
    for (const QString &name : logging.keys())
        qunsetenv(name.toLocal8Bit());

    std::printf("%d alternating runs of each; %d downloads of 381 bytes over a pty with %u threads keeping the cores busy, "
                "%d with a byte lost or changed\n\n", rounds, rounds, busy, lost);
    header();
    printRow("igctool check: wall", wall[0], "< 20");
    printRow("bare QtCore program: wall", wall[1], "");
    printRow("igctool check: cpu", cpu[0], "");
    printRow("bare QtCore program: cpu", cpu[1], "");
    printRow("download: start to BREAK", toBreak, "");
    printRow("download: BREAK hold", hold, "500.0 - 502.0, never < 500");
    printRow("download: BREAK end to first byte", firstByte, "< 1");
    printRow("download: whole run less the hold", rest, "");
    printRow("download: whole run (pty)", whole, "");
    printAim(hold, firstByte);
    std::printf("ratio of medians, check against bare: wall %.2f, cpu %.2f\n", stats(wall[0]).median / stats(wall[1]).median,
                stats(cpu[0]).median / stats(cpu[1]).median);
    return lost == 0 ? 0 : 1;
}
