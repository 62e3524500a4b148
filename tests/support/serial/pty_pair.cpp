#include "pty_pair.h"

#include "serial/time_critical.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    // Raw from the start: no echo of bytes sent to the slave before the
    // program opens it.
    termios settings{};
    tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave_, TCSANOW, &settings);
    reader_ = std::thread([this] { readLoop(); });
}

PtyPair::~PtyPair()
{
    stop_ = true;
    if (reader_.joinable())
        reader_.join();
    if (slave_ >= 0)
        close(slave_);
    if (master_ >= 0)
        close(master_);
}

void PtyPair::readLoop()
{
    // When a byte arrives is measured, not how busy the machine is.
    const TimeCritical critical;
    pollfd watch{master_, POLLIN, 0};
    char chunk[4096];
    while (!stop_) {
        if (poll(&watch, 1, 10) <= 0)
            continue;
        // With no slave open, the master reports a hang-up until one opens.
        const ssize_t n = (watch.revents & POLLIN) ? read(master_, chunk, sizeof chunk) : 0;
        const Clock::time_point now = Clock::now();
        if (n <= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        const std::lock_guard lock(mutex_);
        if (!firstByte_)
            firstByte_ = now;
        received_.append(chunk, n);
        arrived_.notify_all();
    }
}

void PtyPair::closeSlave()
{
    if (slave_ >= 0)
        close(slave_);
    slave_ = -1;
}

bool PtyPair::sendToSlave(const QByteArray &bytes) const
{
    return write(master_, bytes.constData(), bytes.size()) == bytes.size();
}

QByteArray PtyPair::waitForBytes(qsizetype count, int ms)
{
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return received_.size() >= count; });
    return received_;
}

std::optional<PtyPair::Clock::time_point> PtyPair::firstByteTime()
{
    const std::lock_guard lock(mutex_);
    return firstByte_;
}

void PtyPair::forget()
{
    const std::lock_guard lock(mutex_);
    received_.clear();
    firstByte_.reset();
}
