#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class SerialLine;

// How long the BREAK before the frame, and the wake pulse, hold the line.
constexpr int kDownloadBreakMs = 500;
constexpr int kWakePulseMs = 1500;
// The frame is wanted this long before the BREAK ends, so that the session
// holds it when the BREAK has lasted its time however late an event loop
// runs; the window's Timer1 fires then.
constexpr int kFrameLeadMs = 100;

// How a download ended.
struct DownloadOutcome {
    bool done = false;        // every byte of the frame left the port
    bool interrupted = false; // stopped before its end (abort)
    qint32 valuesSent = 0;    // values whose three bytes are known to be on the line
    qint32 values = 0;        // values of the frame; 0 when none was to be sent
    QString reason;           // why the line failed, in the system's words
};

// One download, or one wake pulse, on the serial line, for the window and
// for igctool alike. The port is opened and released on the session's own
// thread (the caller's); for a download a timing thread of its own raises
// the BREAK, ends it when it has lasted its time and hands the frame to the
// line right after it, group after group with nothing between them, then
// watches the bytes leave. Progress and the end come as signals, through
// the event loop.
//
// Only bytes known to be on the line count as sent: those written less
// those the system still holds. A failed write, a failed drain or a line
// that closed ends the download as failed.
class DownloadSession : public QObject {
    Q_OBJECT

public:
    enum class State { Idle, Opening, Break, Sending, Draining, Done, Failed };
    Q_ENUM(State)

    explicit DownloadSession(SerialLine &line, QObject *parent = nullptr);
    // Stops whatever runs: the BREAK never outlives the session.
    ~DownloadSession() override;

    State state() const { return state_; }
    // From the opening of the port until it is released again.
    bool holdsPort() const { return state_ == State::Opening || state_ == State::Break || state_ == State::Sending
                                    || state_ == State::Draining; }

    // Opens the port, throws away whatever the module sent and raises the
    // BREAK, which the module takes as the start of a download. A port that
    // cannot be opened raises PlatformError; false (the port released
    // again) when the line refused the BREAK.
    bool beginDownload();
    // The frame to send once the BREAK has lasted kDownloadBreakMs (at once
    // when that is past). An empty frame only ends the BREAK and releases
    // the port.
    void send(const QByteArray &frame);

    // The wake pulse: BREAK without data, until endWakePulse.
    bool beginWakePulse();
    void endWakePulse();

    // Ends what runs now: the BREAK ends, bytes not yet sent are dropped,
    // the port is released. A download ends as interrupted.
    void abort();
    // Serves the event loop (but no user input) until the port is released
    // or `ms` have passed, then aborts what still runs. True when it ended
    // by itself.
    bool releaseWithin(int ms);

signals:
    void stateChanged(DownloadSession::State state);
    // Bytes known to be on the line, of `total`.
    void progress(qint64 onLine, qint64 total);
    // The end of a download: the port is released.
    void finished(const DownloadOutcome &outcome);
    // The port is released, after a download or a wake pulse.
    void released();

private:
    using Clock = std::chrono::steady_clock;

    void setState(State state);
    // Opens the port, throwing away stale input when `discard`.
    void open(bool discard);
    // The line refused the BREAK: the port is released again; false.
    bool breakRefused();
    void sendLine(int run);
    bool waitUntil(Clock::time_point moment);
    void post(int run, std::function<void()> onOwnerThread);
    void finishDownload(int run);

    SerialLine &line_;
    State state_ = State::Idle;
    int run_ = 0;
    std::thread timing_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<QByteArray> frame_; // guarded by mutex_
    std::optional<bool> breakRaised_; // guarded by mutex_
    std::atomic<bool> stop_{false};   // set under mutex_
    DownloadOutcome outcome_;         // the timing thread's, read after it ends
};

Q_DECLARE_METATYPE(DownloadOutcome)
