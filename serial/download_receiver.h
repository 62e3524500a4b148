#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

// The module's side of the line: a download received as the module would
// receive it, for a desk without the module.

// A line that carries no BREAK (a pseudo-terminal): a download starts with
// the first byte after this much silence; the download's BREAK is longer.
constexpr int kStartSilenceMs = 400;
// A download ends when the line has been silent this long; a byte takes
// about 4 ms at 2400 baud.
constexpr int kEndSilenceMs = 100;

// What the receiver listens on.
class ReceiveLine {
public:
    using Clock = std::chrono::steady_clock;

    // What one wait brought.
    struct Arrival {
        Clock::time_point at;
        QByteArray bytes;
        // A BREAK's start came before bytes[i] for each i here (i equal to
        // the size: after the last byte).
        QList<qsizetype> breaks;
        bool closed = false; // the other end closed the port (or has none open)
    };

    virtual ~ReceiveLine() = default;
    // The device a download opens.
    virtual QString path() const = 0;
    // Whether the line shows a BREAK's start.
    virtual bool seesBreak() const = 0;
    // Waits up to `ms` for bytes; an empty arrival when none came.
    // Raises PlatformError when the line fails.
    virtual Arrival wait(int ms) = 0;
};

// A pseudo-terminal for a download to open by the path of its other end,
// which it never holds open itself, so that the download's look for other
// holders of the port does not see it. Raises PlatformError.
std::unique_ptr<ReceiveLine> openPseudoTerminalLine();
// A serial port ("Com" and a number, or a device path) at 2400 baud 8N1
// that shows a BREAK's start. Raises PortOpenError.
std::unique_ptr<ReceiveLine> openPortLine(const QString &name);

// One download as the line brought it.
struct ReceivedDownload {
    using Duration = ReceiveLine::Clock::duration;
    QByteArray bytes;
    // From the BREAK's start to the first byte, when the line showed one: a
    // serial chip reports the start, not the end.
    std::optional<Duration> breakToFirstByte;
    // The silence before the BREAK, or before the first byte.
    Duration silenceBefore{};
    Duration longestGap{}; // between two bytes
    bool closed = false;   // the other end closed the port; else the line fell silent
    // Bytes since the last download that started none: they came without a
    // BREAK or the silence before them.
    qsizetype strayBytes = 0;
};

class DownloadReceiver {
public:
    using Clock = ReceiveLine::Clock;
    explicit DownloadReceiver(std::unique_ptr<ReceiveLine> line, Clock::time_point listeningSince = Clock::now());

    const ReceiveLine &line() const { return *line_; }
    // Waits for the next download. Once `stop` turns true it takes only
    // what has arrived: a download begun is given as it stands, else
    // nothing. Raises PlatformError when the line fails.
    std::optional<ReceivedDownload> next(const std::atomic<bool> &stop);

private:
    std::unique_ptr<ReceiveLine> line_;
    Clock::time_point quietSince_; // the last byte, or when listening began
    std::optional<ReceiveLine::Arrival> leftover_; // a BREAK that ended a download, and what followed it
};
