#include "serial/serial_comm.h"

#include "serial/port_doctor.h"

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
    systemPort_ = portFor(deviceName_, ports_);
    if (systemPort_.isEmpty())
        throw PortOpenError(diagnosePort(deviceName_, systemPort_));
    port_.setPortName(systemPort_);
    if (!port_.open(QIODevice::ReadWrite))
        throw PortOpenError(diagnosePort(deviceName_, systemPort_, port_.error(), port_.errorString()));
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
