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

    void SetDeviceName(const QString &name) override;
    void Open() override;
    qint64 InQueCount() override;
    qint64 Read(char *buffer, qint64 count) override;
    bool SetBREAKState(bool on) override;
    bool Write(const char *data, qint64 count) override;
    void Close() override;

private:
    PortList ports_;
    QString deviceName_;
    QSerialPort port_;
};

// The error box's text for a port that cannot be opened: the device name,
// the system port it stands for (empty when there is none) and the system's
// reason, with what to do when the user lacks the permission.
QString openFailureText(const QString &deviceName, const QString &systemPort,
                        QSerialPort::SerialPortError error, const QString &reason);
