#pragma once

#include "serial/device_name.h"
#include "serial/serial_line.h"

#include <QSerialPort>
#include <QStringList>
#include <functional>

// The serial line on a real port: 2400 baud, 8 data bits, no parity, one
// stop bit, no flow control. QSerialPort opens, configures, locks and
// releases the port; the BREAK and the bytes go to the system directly, so
// that the download session's timing thread can send them while the port
// stays with the thread that opened it.
class TComm final : public SerialLine {
public:
    // Where the device names are looked up: the system's serial ports
    // (device paths), the current ones by default.
    using PortList = std::function<QStringList()>;
    explicit TComm(PortList ports = availableSerialPorts);

    // "Com" and a number, counted as the window counts ports, or a device
    // path ("/dev/ttyUSB0", "COM3") opened as it is.
    void SetDeviceName(const QString &name) override;
    // Refuses a port that is not a serial port, that a running process has
    // locked, or that another process holds open (unless shared); removes
    // the lock of a process that is gone.
    void Open() override;
    qint64 InQueCount() override;
    qint64 Read(char *buffer, qint64 count) override;
    bool SetBREAKState(bool on) override;
    bool Write(const char *data, qint64 count) override;
    qint64 OutQueCount() override;
    bool Drain() override;
    void Discard() override;
    QString LineError() const override { return lineError_; }
    void Close() override;

    // Opens a port even while other processes hold it open.
    void setShared(bool shared) { shared_ = shared; }

    // The device the last Open opened, or tried to.
    const QString &systemPort() const { return systemPort_; }

private:
    bool failed(const char *what);

    PortList ports_;
    QString deviceName_;
    QString systemPort_;
    QString lineError_;
    bool shared_ = false;
    QSerialPort port_;
};
