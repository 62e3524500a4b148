// The port doctor on Windows. A COM port has no device node, owner or group
// to look at, and Windows names no holder; what it tells is how opening the
// port fails: no such port, access denied (Windows lets one program at a time
// have a COM port), or an error of the port's driver.
#include "serial/port_doctor.h"

#include "serial/device_name.h"

#include <QSerialPortInfo>
#include <windows.h>

namespace {

// What Windows says to opening the port now; ERROR_SUCCESS when it opens
// (it is closed again at once).
DWORD openError(const QString &systemPort)
{
    const QString device = systemPort.startsWith(QLatin1String("\\\\.\\")) ? systemPort : QStringLiteral("\\\\.\\") + systemPort;
    const HANDLE port = CreateFileW(reinterpret_cast<const wchar_t *>(device.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(port);
    return ERROR_SUCCESS;
}

// The COM ports this computer has, by name, in number order.
QStringList comPorts()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return orderSerialPorts(names);
}

} // namespace

PortDiagnosis diagnosePort(const QString &deviceName, const QString &systemPort,
                           QSerialPort::SerialPortError error, const QString &reason)
{
    PortDiagnosis d{deviceName, systemPort, PortVerdict::NoPort, QString(), {}, reason};
    if (systemPort.isEmpty()) {
        // "Com" alone; any other name is its own port, so an empty one is none.
        if (!isComName(deviceName))
            d.verdict = PortVerdict::NotSerial;
        return d;
    }
    const DWORD code = openError(systemPort);
    switch (code) {
    case ERROR_SUCCESS:
        // It opens: an open that failed before stopped at the line settings.
        d.verdict = error == QSerialPort::NoError ? PortVerdict::Usable : PortVerdict::DriverError;
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        d.verdict = PortVerdict::NoSuchPort;
        d.ports = comPorts();
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        d.verdict = PortVerdict::Busy;
        break;
    default:
        d.verdict = PortVerdict::DriverError;
        d.reason = qt_error_string(int(code));
        break;
    }
    return d;
}
