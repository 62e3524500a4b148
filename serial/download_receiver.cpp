#include "serial/download_receiver.h"

#include <algorithm>
#include <utility>

namespace {

using Clock = ReceiveLine::Clock;
using std::chrono::milliseconds;

// An idle wait ends this often, so that a stop is seen at once.
constexpr int kIdleWaitMs = 250;

} // namespace

DownloadReceiver::DownloadReceiver(std::unique_ptr<ReceiveLine> line, Clock::time_point listeningSince)
    : line_(std::move(line)), quietSince_(listeningSince)
{
}

std::optional<ReceivedDownload> DownloadReceiver::next(const std::atomic<bool> &stop)
{
    ReceivedDownload download;
    std::optional<Clock::time_point> breakStart; // before the first byte
    Clock::time_point lastBreak;
    std::optional<Clock::time_point> lastByte;   // once the download has begun
    Clock::time_point now = quietSince_;
    for (;;) {
        // Once stopped, only what has arrived already is taken.
        const bool stopping = stop;
        ReceiveLine::Arrival arrival;
        if (leftover_) {
            arrival = *std::exchange(leftover_, std::nullopt);
        } else {
            const auto untilEnd = lastByte ? std::chrono::ceil<milliseconds>(*lastByte + milliseconds(kEndSilenceMs) - now).count()
                                           : kIdleWaitMs;
            arrival = line_->wait(stopping ? 0 : static_cast<int>(std::clamp<qint64>(untilEnd, 1, kIdleWaitMs)));
        }
        now = arrival.at;
        for (qsizetype i = 0; i <= arrival.bytes.size(); ++i) {
            if (arrival.breaks.contains(i)) {
                if (lastByte) {
                    // The next download's BREAK ends this one.
                    ReceiveLine::Arrival rest{arrival.at, arrival.bytes.mid(i), {}, arrival.closed};
                    for (const qsizetype at : arrival.breaks) {
                        if (at >= i)
                            rest.breaks << at - i;
                    }
                    leftover_ = rest;
                    arrival.closed = false;
                    break;
                }
                // Some chips report a long BREAK more than once.
                if (!breakStart || arrival.at - lastBreak > milliseconds(kEndSilenceMs))
                    breakStart = arrival.at;
                lastBreak = arrival.at;
            }
            if (i == arrival.bytes.size())
                break;
            if (lastByte) {
                download.longestGap = std::max(download.longestGap, arrival.at - *lastByte);
            } else if (breakStart || arrival.at - quietSince_ >= milliseconds(kStartSilenceMs)) {
                download.silenceBefore = breakStart.value_or(arrival.at) - quietSince_;
                if (breakStart)
                    download.breakToFirstByte = arrival.at - *breakStart;
            } else {
                ++download.strayBytes;
                quietSince_ = arrival.at;
                continue;
            }
            lastByte = arrival.at;
            download.bytes += arrival.bytes[i];
        }
        const bool drained = stopping && arrival.bytes.isEmpty() && arrival.breaks.isEmpty();
        if (lastByte && (drained || leftover_ || arrival.closed || arrival.at - *lastByte >= milliseconds(kEndSilenceMs))) {
            download.closed = arrival.closed;
            quietSince_ = *lastByte;
            return download;
        }
        if (drained)
            return std::nullopt;
    }
}
