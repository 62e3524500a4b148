#include "serial/download_session.h"

#include "core/download_frame.h"
#include "serial/serial_line.h"
#include "serial/time_critical.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {

// Only this many received bytes are taken at a time.
constexpr qint64 kDiscardBuffer = 4096;
// The last stretch of the BREAK is spun, not slept: on a busy machine a
// sleeping thread wakes up late.
constexpr auto kSpin = std::chrono::milliseconds(2);
// How often the bytes that left are counted.
constexpr auto kProgressStep = std::chrono::milliseconds(25);
// Beyond the frame's own line time (ten bits a byte at 2400 baud), a line
// that has not sent it by then has stopped.
constexpr auto kSpareTime = std::chrono::seconds(2);

std::chrono::milliseconds lineTime(qint64 bytes)
{
    return std::chrono::milliseconds(bytes * 10 * 1000 / 2400);
}

// Stale bytes from the module are thrown away, however many there are.
void discardInput(SerialLine &line)
{
    char scratch[kDiscardBuffer];
    while (line.InQueCount() > 0) {
        const qint64 waiting = line.InQueCount();
        if (line.Read(scratch, std::min(waiting, kDiscardBuffer)) <= 0)
            break;
    }
}

} // namespace

DownloadSession::DownloadSession(SerialLine &line, QObject *parent) : QObject(parent), line_(line)
{
    qRegisterMetaType<DownloadOutcome>();
}

DownloadSession::~DownloadSession()
{
    abort();
}

void DownloadSession::setState(State state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state);
}

void DownloadSession::open(bool discard)
{
    setState(State::Opening);
    try {
        line_.Open();
    } catch (...) {
        setState(State::Failed);
        throw;
    }
    if (discard)
        discardInput(line_);
}

bool DownloadSession::breakRefused()
{
    line_.Close();
    setState(State::Failed);
    emit released();
    return false;
}

bool DownloadSession::beginDownload()
{
    open(true);
    {
        const std::lock_guard lock(mutex_);
        frame_.reset();
        breakRaised_.reset();
        stop_ = false;
    }
    // The timing thread raises the BREAK itself: its 500 ms are counted
    // from there, not from when a busy thread of ours next runs.
    timing_ = std::thread([this, run = ++run_] { sendLine(run); });
    bool raised = false;
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return breakRaised_.has_value(); });
        raised = *breakRaised_;
    }
    if (!raised) {
        timing_.join();
        return breakRefused();
    }
    setState(State::Break);
    return true;
}

void DownloadSession::send(const QByteArray &frame)
{
    {
        const std::lock_guard lock(mutex_);
        frame_ = frame;
    }
    wake_.notify_all();
}

bool DownloadSession::waitUntil(Clock::time_point moment)
{
    std::unique_lock lock(mutex_);
    return !wake_.wait_until(lock, moment, [this] { return stop_.load(); });
}

void DownloadSession::post(int run, std::function<void()> onOwnerThread)
{
    // A run that has ended (aborted, or followed by another) says nothing more.
    QMetaObject::invokeMethod(this, [this, run, onOwnerThread = std::move(onOwnerThread)] {
        if (run == run_ && timing_.joinable())
            onOwnerThread();
    }, Qt::QueuedConnection);
}

// The timing thread: the end of the BREAK, the frame, and its bytes leaving.
void DownloadSession::sendLine(int run)
{
    QByteArray frame;
    DownloadOutcome outcome;
    bool lineWorks = true;
    qint64 written = 0;
    {
        const TimeCritical critical;
        const bool raised = line_.SetBREAKState(true);
        const Clock::time_point breakEnds = Clock::now() + std::chrono::milliseconds(kDownloadBreakMs);
        {
            const std::lock_guard lock(mutex_);
            breakRaised_ = raised;
        }
        wake_.notify_all();
        if (!raised)
            return;
        {
            std::unique_lock lock(mutex_);
            wake_.wait_until(lock, breakEnds - kSpin, [this] { return stop_.load(); });
            wake_.wait(lock, [this] { return stop_ || frame_.has_value(); });
            frame = frame_.value_or(QByteArray());
        }
        const QByteArray bytes = frameLine(frame);
        outcome.values = qint32(frame.size());
        while (Clock::now() < breakEnds && !stop_) {
        }
        lineWorks = line_.SetBREAKState(false);
        while (lineWorks && written < bytes.size() && !stop_) {
            lineWorks = line_.Write(bytes.constData() + written, kGroupBytes);
            if (lineWorks)
                written += kGroupBytes;
        }
    }
    const qint64 total = qint64(frame.size()) * kGroupBytes;
    // Told once the groups are handed over: nothing may come between them.
    post(run, [this] {
        setState(State::Sending);
        setState(State::Draining);
    });

    // Bytes written less those the system still holds are on the line.
    qint64 onLine = 0;
    const Clock::time_point deadline = Clock::now() + lineTime(written) + kSpareTime;
    while (lineWorks && !stop_) {
        const qint64 held = line_.OutQueCount();
        if (held < 0) {
            lineWorks = false;
            break;
        }
        onLine = written - held;
        post(run, [this, onLine, total] { emit progress(onLine, total); });
        if (held == 0)
            break;
        if (Clock::now() > deadline) {
            lineWorks = false;
            break;
        }
        waitUntil(Clock::now() + kProgressStep);
    }
    lineWorks = lineWorks && !stop_ && line_.Drain();
    if (!lineWorks) {
        if (const qint64 held = line_.OutQueCount(); held >= 0)
            onLine = written - held;
        if (!stop_)
            outcome.reason = line_.LineError().isEmpty() ? QStringLiteral("the line stopped taking bytes") : line_.LineError();
    }
    outcome.done = lineWorks && written == total;
    outcome.interrupted = stop_ && !outcome.done;
    outcome.valuesSent = outcome.done ? outcome.values : qint32(onLine / kGroupBytes);
    if (!outcome.done)
        line_.Discard();
    outcome_ = outcome;
    post(run, [this, run] { finishDownload(run); });
}

void DownloadSession::finishDownload(int run)
{
    if (run != run_ || !timing_.joinable())
        return;
    timing_.join();
    line_.Close();
    setState(outcome_.done ? State::Done : State::Failed);
    emit finished(outcome_);
    emit released();
}

bool DownloadSession::beginWakePulse()
{
    // The wake pulse empties no receive queue.
    open(false);
    if (!line_.SetBREAKState(true))
        return breakRefused();
    setState(State::Break);
    return true;
}

void DownloadSession::endWakePulse()
{
    if (state_ != State::Break || timing_.joinable())
        return;
    const bool ended = line_.SetBREAKState(false);
    line_.Close();
    setState(ended ? State::Done : State::Failed);
    emit released();
}

void DownloadSession::abort()
{
    if (!timing_.joinable()) {
        endWakePulse();
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    finishDownload(run_);
}

bool DownloadSession::releaseWithin(int ms)
{
    if (holdsPort()) {
        QEventLoop loop;
        connect(this, &DownloadSession::released, &loop, &QEventLoop::quit);
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const bool ended = !holdsPort();
    abort();
    return ended;
}
