#pragma once

#include "serial/device_name.h"
#include "serial/serial_line.h"

#include <QSerialPort>
#include <QStringList>
#include <functional>

// The serial line on a real port: 2400 baud, 8 data bits, no parity, one
// stop bit, no flow control.
class TComm final : public SerialLine {
public:
    // Where the device names are looked up: the system's serial ports
    // (device paths), the current ones by default.
    using PortList = std::function<QStringList()>;
    explicit TComm(PortList ports = availableSerialPorts);

    // "Com" and a number, counted as the window counts ports, or a device
    // path ("/dev/ttyUSB0", "COM3") opened as it is.
    void SetDeviceName(const QString &name) override;
    void Open() override;
    qint64 InQueCount() override;
    qint64 Read(char *buffer, qint64 count) override;
    bool SetBREAKState(bool on) override;
    bool Write(const char *data, qint64 count) override;
    void Close() override;

    // The device the last Open opened, or tried to.
    const QString &systemPort() const { return systemPort_; }

private:
    PortList ports_;
    QString deviceName_;
    QString systemPort_;
    QSerialPort port_;
};
