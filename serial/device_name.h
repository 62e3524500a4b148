#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// How "Com" and a port number name a port of the system.
enum class PortNaming {
    // The port COMn itself.
    Windows,
    // The n-th port of the system's list, counted from 1: USB and ACM
    // adapters first, then the others, each group in name order, so a single
    // USB adapter is Com1.
    ListOrder,
};

#ifdef Q_OS_WIN
constexpr PortNaming kNativePortNaming = PortNaming::Windows;
#else
constexpr PortNaming kNativePortNaming = PortNaming::ListOrder;
#endif

// The device name of a port text from the port list: "Com3", or "Com" alone
// when no port is chosen.
inline QString deviceNameFor(const QString &portText) { return QStringLiteral("Com") + portText; }

// The system's serial ports as the Com numbers count them (device paths).
QStringList orderSerialPorts(QStringList systemPorts);

// The system port that a device name such as "Com3" stands for, given the
// system's ports in any order; empty when the name has no number or there
// is no such port.
QString systemPortFor(const QString &deviceName, const QStringList &systemPorts,
                      PortNaming naming = kNativePortNaming);

// Whether a name is "Com" and a number (or "Com" alone), in any letter case
// ("com5", "COM5"): the window's way of naming a port, looked up in the
// system's list.
bool isComName(const QString &name);

// The port a name opens: "Com" and a number as systemPortFor counts it, or
// any other name taken as a device path ("/dev/ttyUSB0", "COM3") that
// stands for itself. Empty for "Com" without a port.
// The system's ports are looked up only for a Com name.
QString portFor(const QString &name, const std::function<QStringList()> &systemPorts,
                PortNaming naming = kNativePortNaming);

// The number that "Com" and a number gives a system port: 0 when none does.
int comNumberOf(const QString &systemPort, const QStringList &systemPorts, PortNaming naming = kNativePortNaming);

// The device paths of the serial ports this computer has now.
QStringList availableSerialPorts();

// Those of them that are USB or ACM adapters, in Com order.
QStringList availableUsbAdapters();
