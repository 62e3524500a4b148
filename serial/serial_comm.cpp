#include "serial/serial_comm.h"

#include "serial/port_doctor.h"

#include <system_error>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

// A line that takes no byte for this long has stopped.
constexpr int kStalledMs = 1000;

} // namespace

TComm::TComm(PortList ports) : ports_(std::move(ports))
{
    port_.setBaudRate(QSerialPort::Baud2400);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

void TComm::SetDeviceName(const QString &name)
{
    deviceName_ = name;
}

void TComm::Open()
{
    systemPort_ = portFor(deviceName_, ports_);
#ifndef Q_OS_WIN
    // Windows' port doctor asks by opening the port: there the open itself
    // comes first.
    PortDiagnosis before = diagnosePort(deviceName_, systemPort_);
    switch (before.verdict) {
    case PortVerdict::NoPort:
    case PortVerdict::Missing:
    case PortVerdict::NotSerial:
    case PortVerdict::Locked:
    case PortVerdict::LockInTheWay:
        throw PortOpenError(before);
    default:
        // The node's mode bits are left to the open itself: an access list
        // may let the user in all the same.
        break;
    }
    if (!before.holders.isEmpty() && !shared_) {
        before.verdict = PortVerdict::Busy;
        throw PortOpenError(before);
    }
    removeStaleLock(before.lock);
#endif
    port_.setPortName(systemPort_);
    if (!port_.open(QIODevice::ReadWrite))
        throw PortOpenError(diagnosePort(deviceName_, systemPort_, port_.error(), port_.errorString()));
    lineError_.clear();
}

qint64 TComm::InQueCount()
{
    // Take in what the system holds for us, without waiting for more.
    port_.waitForReadyRead(0);
    return port_.bytesAvailable();
}

qint64 TComm::Read(char *buffer, qint64 count)
{
    return port_.read(buffer, count);
}

bool TComm::failed(const char *what)
{
#ifdef Q_OS_WIN
    const std::string why = std::system_category().message(int(GetLastError()));
#else
    const std::string why = std::generic_category().message(errno);
#endif
    lineError_ = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(why));
    return false;
}

#ifdef Q_OS_WIN

bool TComm::SetBREAKState(bool on)
{
    return (on ? SetCommBreak(port_.handle()) : ClearCommBreak(port_.handle())) || failed("BREAK");
}

bool TComm::Write(const char *data, qint64 count)
{
    // The port is opened for overlapped I/O: wait for each write to finish.
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD written = 0;
    const bool done = (WriteFile(port_.handle(), data, DWORD(count), nullptr, &overlapped) || GetLastError() == ERROR_IO_PENDING)
        && GetOverlappedResult(port_.handle(), &overlapped, &written, TRUE) && written == DWORD(count);
    CloseHandle(overlapped.hEvent);
    return done || failed("write");
}

qint64 TComm::OutQueCount()
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port_.handle(), &errors, &status)) {
        failed("output queue");
        return -1;
    }
    return status.cbOutQue;
}

bool TComm::Drain()
{
    return FlushFileBuffers(port_.handle()) || failed("drain");
}

void TComm::Discard()
{
    PurgeComm(port_.handle(), PURGE_TXABORT | PURGE_TXCLEAR);
}

#else

bool TComm::SetBREAKState(bool on)
{
    return ::ioctl(port_.handle(), on ? TIOCSBRK : TIOCCBRK) == 0 || failed("BREAK");
}

bool TComm::Write(const char *data, qint64 count)
{
    // The port is non-blocking: a full buffer is waited for, not dropped.
    while (count > 0) {
        const ssize_t n = ::write(port_.handle(), data, size_t(count));
        if (n > 0) {
            data += n;
            count -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd ready{port_.handle(), POLLOUT, 0};
            if (::poll(&ready, 1, kStalledMs) > 0)
                continue;
            errno = ETIMEDOUT;
        } else if (n == 0) {
            errno = EIO;
        }
        return failed("write");
    }
    return true;
}

qint64 TComm::OutQueCount()
{
    int held = 0;
    if (::ioctl(port_.handle(), TIOCOUTQ, &held) != 0) {
        failed("output queue");
        return -1;
    }
    return held;
}

bool TComm::Drain()
{
    while (::tcdrain(port_.handle()) != 0) {
        if (errno != EINTR)
            return failed("drain");
    }
    return true;
}

void TComm::Discard()
{
    ::tcflush(port_.handle(), TCOFLUSH);
}

#endif

void TComm::Close()
{
    if (!port_.isOpen())
        return;
    // QSerialPort::close() puts back at once the line settings found at
    // Open, which would change the speed under bytes not yet sent.
    Drain();
    port_.close();
}
