#pragma once

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <thread>

// A progress bar on stderr while a frame goes out, when stderr is a
// terminal. The port takes the whole frame at once and then drains it at
// 2400 baud, ten bits a byte; the bar follows that pace until it is
// destroyed, which is when the port has closed.
class LineProgress {
public:
    explicit LineProgress(qsizetype bytes);
    ~LineProgress();
    LineProgress(const LineProgress &) = delete;
    LineProgress &operator=(const LineProgress &) = delete;

private:
    void draw(qsizetype onLine) const;

    qsizetype bytes_;
    std::chrono::steady_clock::time_point start_;
    std::atomic<bool> done_{false};
    std::thread painter_;
};
