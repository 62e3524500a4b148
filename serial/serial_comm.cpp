#include "serial/serial_comm.h"

#include "core/platform_error.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <termios.h>
#endif

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
    const QString systemPort = systemPortFor(deviceName_, ports_());
    if (systemPort.isEmpty())
        throw PlatformError(openFailureText(deviceName_, systemPort, QSerialPort::DeviceNotFoundError, QString()));
    port_.setPortName(systemPort);
    if (!port_.open(QIODevice::ReadWrite))
        throw PlatformError(openFailureText(deviceName_, systemPort, port_.error(), port_.errorString()));
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

bool TComm::SetBREAKState(bool on)
{
    return port_.setBreakEnabled(on);
}

bool TComm::Write(const char *data, qint64 count)
{
    // Handed to the system at once: the first group must follow the end of
    // the BREAK without waiting for the event loop.
    return port_.write(data, count) == count && port_.flush();
}

void TComm::Close()
{
    if (!port_.isOpen())
        return;
    // QSerialPort::close() drops whatever it still buffers and at once puts
    // back the line settings found at Open, which would change the speed
    // under the bytes the system has not sent yet: wait until every byte is
    // on the line first.
    while (port_.bytesToWrite() > 0) {
        // Ten bits a byte at 2400 baud, and a second to spare.
        const qint64 lineTime = port_.bytesToWrite() * 10 * 1000 / 2400;
        if (!port_.waitForBytesWritten(static_cast<int>(lineTime) + 1000))
            break;
    }
#ifdef Q_OS_WIN
    FlushFileBuffers(port_.handle());
#else
    tcdrain(port_.handle());
#endif
    port_.close();
}

QString openFailureText(const QString &deviceName, const QString &systemPort,
                        QSerialPort::SerialPortError error, const QString &reason)
{
    if (systemPort.isEmpty())
        return QStringLiteral("Cannot open %1:\nno serial port of this computer has that number").arg(deviceName);
    QString text = QStringLiteral("Cannot open %1 (%2):\n%3").arg(deviceName, systemPort, reason);
#ifdef Q_OS_LINUX
    if (error == QSerialPort::PermissionError)
        text += QStringLiteral("\nAdd your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.");
#else
    Q_UNUSED(error);
#endif
    return text;
}
