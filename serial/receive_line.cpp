// The lines a download is received on: a pseudo-terminal, or a serial port
// that marks the BREAK in what it reads.
#include "serial/download_receiver.h"

#include "core/platform_error.h"

#ifdef Q_OS_WIN

std::unique_ptr<ReceiveLine> openPseudoTerminalLine()
{
    throw PlatformError(QStringLiteral("A pseudo-terminal is not available on Windows."));
}

std::unique_ptr<ReceiveLine> openPortLine(const QString &name)
{
    throw PlatformError(QStringLiteral("%1: receiving a download on a serial port is not available on Windows.").arg(name));
}

#else

#include "serial/device_name.h"
#include "serial/port_doctor.h"

#include <QSerialPort>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

void setNonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// A line read through its descriptor.
class DescriptorLine : public ReceiveLine {
public:
    Arrival wait(int ms) override
    {
        Arrival arrival;
        pollfd watch{fd_, POLLIN, 0};
        const int ready = poll(&watch, 1, ms);
        arrival.at = Clock::now();
        if (ready < 0 && errno != EINTR)
            throw PlatformError(systemError(path()));
        if (ready <= 0)
            return arrival;
        if (watch.revents & POLLIN) {
            char chunk[4096];
            const ssize_t n = read(fd_, chunk, sizeof chunk);
            if (n > 0) {
                take(arrival, QByteArrayView(chunk, n));
                return arrival;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return arrival;
        }
        // Nothing to read, and the other end is gone.
        hungUp(arrival, ms);
        return arrival;
    }

protected:
    virtual void take(Arrival &arrival, QByteArrayView bytes) = 0;
    virtual void hungUp(Arrival &arrival, int ms) = 0;

    int fd_ = -1;
};

class PseudoTerminal final : public DescriptorLine {
public:
    PseudoTerminal()
    {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ < 0)
            throw PlatformError(systemError(QStringLiteral("Cannot open a pseudo-terminal")));
        const char *other = grantpt(fd_) == 0 && unlockpt(fd_) == 0 ? ptsname(fd_) : nullptr;
        if (!other) {
            const QString error = systemError(QStringLiteral("Cannot open a pseudo-terminal"));
            close(fd_);
            throw PlatformError(error);
        }
        path_ = QString::fromLocal8Bit(other);
        fcntl(fd_, F_SETFD, FD_CLOEXEC);
        setNonBlocking(fd_);
        // Raw, so that bytes pass as they are whatever opens the other end.
        termios line{};
        tcgetattr(fd_, &line);
        cfmakeraw(&line);
        cfsetspeed(&line, B2400);
        tcsetattr(fd_, TCSANOW, &line);
    }
    ~PseudoTerminal() override { close(fd_); }

    QString path() const override { return path_; }
    bool seesBreak() const override { return false; }

private:
    void take(Arrival &arrival, QByteArrayView bytes) override { arrival.bytes = bytes.toByteArray(); }
    void hungUp(Arrival &arrival, int ms) override
    {
        // Until a download opens the other end again every poll says so at
        // once: rest a little instead.
        arrival.closed = true;
        poll(nullptr, 0, std::min(ms, 20));
    }

    QString path_;
};

// With PARMRK the system marks a BREAK as 255 0 0 and doubles a 255 byte.
class SerialPortLine final : public DescriptorLine {
public:
    explicit SerialPortLine(const QString &name)
    {
        device_ = portFor(name, availableSerialPorts);
        if (device_.isEmpty())
            throw PortOpenError(diagnosePort(name, device_));
        port_.setPortName(device_);
        port_.setBaudRate(QSerialPort::Baud2400);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        if (!port_.open(QIODevice::ReadOnly))
            throw PortOpenError(diagnosePort(name, device_, port_.error(), port_.errorString()));
        // The port stays open through QSerialPort, which is never asked to
        // read: the descriptor is read here.
        fd_ = port_.handle();
        setNonBlocking(fd_);
        termios line{};
        tcgetattr(fd_, &line);
        line.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | INPCK | ISTRIP);
        line.c_iflag |= PARMRK;
        if (tcsetattr(fd_, TCSANOW, &line) != 0)
            throw PlatformError(systemError(device_));
        tcflush(fd_, TCIFLUSH);
    }

    QString path() const override { return device_; }
    bool seesBreak() const override { return true; }

private:
    void take(Arrival &arrival, QByteArrayView bytes) override
    {
        for (const char byte : bytes) {
            switch (std::exchange(state_, Plain)) {
            case Plain:
                if (byte == '\xFF')
                    state_ = AfterMarker;
                else
                    arrival.bytes += byte;
                break;
            case AfterMarker:
                if (byte == '\0') {
                    state_ = AfterMarkerNul;
                    break;
                }
                arrival.bytes += '\xFF'; // 255 255 is a 255
                if (byte != '\xFF')
                    arrival.bytes += byte;
                break;
            case AfterMarkerNul:
                if (byte == '\0')
                    arrival.breaks << arrival.bytes.size();
                else
                    arrival.bytes += byte; // a byte the line garbled, as it came
                break;
            }
        }
    }
    void hungUp(Arrival &, int) override
    {
        throw PlatformError(QStringLiteral("%1: the port went away").arg(path()));
    }

    enum State { Plain, AfterMarker, AfterMarkerNul } state_ = Plain;
    QString device_;
    QSerialPort port_;
};

} // namespace

std::unique_ptr<ReceiveLine> openPseudoTerminalLine()
{
    return std::make_unique<PseudoTerminal>();
}

std::unique_ptr<ReceiveLine> openPortLine(const QString &name)
{
    return std::make_unique<SerialPortLine>(name);
}

#endif
