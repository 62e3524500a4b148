#include "serial/device_name.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <tuple>

namespace {

// USB serial adapters (ttyUSB, cu.usbserial) and modem-class ones (ttyACM,
// cu.usbmodem) are what a user plugs in for the module, so they count first.
bool isAdapter(const QString &name)
{
    return name.contains(QLatin1String("usb"), Qt::CaseInsensitive)
        || name.contains(QLatin1String("acm"), Qt::CaseInsensitive);
}

// Name order with the trailing number compared as a number: ttyUSB2 comes
// before ttyUSB10.
auto orderKey(const QString &path)
{
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*?)(\\d*)$"));
    const QString name = QFileInfo(path).fileName();
    const QRegularExpressionMatch parts = trailingNumber.match(name);
    return std::make_tuple(!isAdapter(name), parts.captured(1), parts.captured(2).size(),
                           parts.captured(2), name);
}

} // namespace

QStringList orderSerialPorts(QStringList systemPorts)
{
    std::stable_sort(systemPorts.begin(), systemPorts.end(),
                     [](const QString &a, const QString &b) { return orderKey(a) < orderKey(b); });
    return systemPorts;
}

QString systemPortFor(const QString &deviceName, const QStringList &systemPorts, PortNaming naming)
{
    static const QRegularExpression comName(QStringLiteral("^Com([0-9]{1,3})$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(deviceName);
    const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (number < 1)
        return QString();
    // Windows knows COM1 to COM9 by name; from COM10 on, only the device
    // path opens them.
    if (naming == PortNaming::Windows)
        return (number > 9 ? QStringLiteral("\\\\.\\COM") : QStringLiteral("COM")) + QString::number(number);
    return orderSerialPorts(systemPorts).value(number - 1);
}

bool isComName(const QString &name)
{
    static const QRegularExpression comName(QStringLiteral("^Com[0-9]*$"), QRegularExpression::CaseInsensitiveOption);
    return comName.match(name).hasMatch();
}

QString portFor(const QString &name, const std::function<QStringList()> &systemPorts, PortNaming naming)
{
    return isComName(name) ? systemPortFor(name, systemPorts(), naming) : name;
}

int comNumberOf(const QString &systemPort, const QStringList &systemPorts, PortNaming naming)
{
    if (naming == PortNaming::Windows) {
        // The port's name, or its system location (\\.\COM3).
        static const QRegularExpression windowsName(QStringLiteral(R"(^(?:\\\\\.\\)?COM([0-9]{1,3})$)"),
                                                    QRegularExpression::CaseInsensitiveOption);
        return windowsName.match(systemPort).captured(1).toInt();
    }
    return int(orderSerialPorts(systemPorts).indexOf(systemPort) + 1);
}

QStringList availableSerialPorts()
{
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    return ports;
}

QStringList availableUsbAdapters()
{
    QStringList adapters;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        // Windows names every port COMn: the USB ids tell an adapter there.
        if (isAdapter(info.portName()) || info.hasVendorIdentifier())
            adapters << info.systemLocation();
    }
    return orderSerialPorts(adapters);
}
