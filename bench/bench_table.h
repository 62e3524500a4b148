#pragma once

// The benchmarks print one table: median, min and max of each measurement,
// in milliseconds, and the target.
#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <cstdio>

struct Stats {
    double median, min, max;
};

inline Stats stats(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.first(), ms.last()};
}

template <typename F>
Stats measure(int runs, F &&run)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        ms << clock.nsecsElapsed() / 1e6;
    }
    return stats(ms);
}

inline void header()
{
    std::printf("%-38s %10s %10s %10s   %s\n", "measurement (ms)", "median", "min", "max", "target");
}

inline void row(const char *what, const Stats &s, const char *target)
{
    std::printf("%-38s %10.3f %10.3f %10.3f   %s\n", what, s.median, s.min, s.max, target);
}

// How many runs met the module's aim: a BREAK of 500.0 to 502.0 ms, and the
// first byte within 1 ms of its end (the aim: 19 of 20).
inline void printAim(const QList<double> &hold, const QList<double> &firstByte)
{
    const auto count = [](const QList<double> &ms, double low, double high) {
        return std::count_if(ms.begin(), ms.end(), [&](double v) { return v >= low && v <= high; });
    };
    std::printf("within the aim: BREAK %lld of %lld, first byte %lld of %lld\n", static_cast<long long>(count(hold, 500.0, 502.0)),
                static_cast<long long>(hold.size()), static_cast<long long>(count(firstByte, 0.0, 1.0)),
                static_cast<long long>(firstByte.size()));
}
