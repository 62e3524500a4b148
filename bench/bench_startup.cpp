// Start-up of the program against a bare Qt program of the same shape, as
// whole processes side by side, offscreen.
//   build/bench/bench_startup [ROUNDS]
// "bare" is a 650 x 600 window with a 61 x 4 table and a two-series chart;
// "window" is the program's own start-up (a settings file naming a curve,
// language Hungarian). Each exits at the first turn of its event loop.
#include "bench_table.h"
#include "core/curve_file.h"
#include "core/text_file.h"
#include "process_timing.h"
#include "sample_curves.h"
#include "ui/program.h"

#include <QApplication>
#include <QChartView>
#include <QFileInfo>
#include <QLineSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

int bare(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(650, 600);
    auto *table = new QTableWidget(61, 4, &window);
    table->setGeometry(7, 65, 298, 492);
    for (int r = 0; r < 61; ++r)
        for (int c = 0; c < 4; ++c)
            table->setItem(r, c, new QTableWidgetItem(QString::number(r * c)));
    auto *chart = new QChartView(&window);
    chart->setGeometry(319, 7, 314, 226);
    for (int s = 0; s < 2; ++s) {
        auto *series = new QLineSeries;
        for (int p = 0; p < 60; ++p)
            series->append(p, p % 40 + s);
        chart->chart()->addSeries(series);
    }
    chart->chart()->createDefaultAxes();
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}

void printRow(const char *what, const QList<double> &values, const char *target)
{
    row(what, stats(values), target);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == "bare")
        return bare(argc, argv);
    if (mode == "window")
        return runProgram(argc, argv, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });

    const int rounds = mode.toInt() > 0 ? mode.toInt() : 20;
    QTemporaryDir dir;
    const QString curve = dir.filePath("bench.igc");
    writeTextFile(curve, writeCurveFile(sampleCurve()));
    writeTextFile(dir.filePath("Edit.txt"), (curve + "\r\n1\r\n0\r\n8,3\r\n").toLocal8Bit());
    const QString self = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();
    const auto runs = runAlternately({{self, "bare"}, {self, "window"}}, dir.path(), rounds);

    QList<double> wall[2], cpu[2], peak[2];
    for (int c = 0; c < 2; ++c) {
        for (const ProcessRun &run : runs[c]) {
            wall[c] << run.wallMs;
            cpu[c] << run.cpuMs;
            peak[c] << run.peakMiB;
        }
    }
    std::printf("%d alternating runs of each\n", rounds);
    header();
    printRow("bare Qt program: wall", wall[0], "");
    printRow("program start-up: wall", wall[1], "");
    printRow("bare Qt program: cpu", cpu[0], "");
    printRow("program start-up: cpu", cpu[1], "");
    std::printf("peak memory (MiB, median): bare %.1f, program %.1f\n", stats(peak[0]).median, stats(peak[1]).median);
    std::printf("ratio of medians: wall %.2f (target < 1.3), cpu %.2f\n",
                stats(wall[1]).median / stats(wall[0]).median, stats(cpu[1]).median / stats(cpu[0]).median);
    return 0;
}
