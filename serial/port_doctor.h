#pragma once

#include "core/platform_error.h"
#include "serial/port_lock.h"
#include "serial/port_texts.h"

#include <QList>
#include <QSerialPort>
#include <QString>

// Why a serial port cannot be used, told from what the system says about it:
// its device node, the user's groups and the processes that hold it open.
// The rules are plain functions on these tables; the readers below fill them
// from the running system.

// What stat() says about a device node.
struct DeviceNode {
    bool exists = false;
    unsigned mode = 0;   // permission bits
    unsigned owner = 0;  // user id
    unsigned group = 0;  // group id
    QString groupName;
    bool serial = true;  // a terminal device, which a serial port is
};

// Who asks.
struct UserAccess {
    unsigned uid = 0;
    QList<unsigned> loginGroups;  // the groups this process has
    QList<unsigned> memberGroups; // the groups the group database gives the user now
};

// A process with the port open.
struct PortHolder {
    qint64 pid = 0;
    QString command;
    bool operator==(const PortHolder &) const = default;
};

enum class PortVerdict {
    Usable,
    NoPort,        // "Com n" stands for no port of this computer
    Missing,       // no device node
    NotSerial,     // a file, a folder or a device that is no serial port
    NeedsGroup,    // the node's group may read and write; the user is not in it
    NeedsNewLogin, // ...the user is, but this login started before
    NoPermission,  // nothing the user can do about it alone
    Locked,        // a running process's lock file names it
    LockInTheWay,  // a lock file of no running process, which this user may not remove
    Busy,          // another process holds it
    Failed,        // none of these: the system's reason says why
};

struct PortDiagnosis {
    QString deviceName;  // as the user gave it: "Com3" or a device path
    QString systemPort;  // the device it stands for; empty for NoPort
    PortVerdict verdict = PortVerdict::Usable;
    QString group;       // NeedsGroup, NeedsNewLogin
    QList<PortHolder> holders; // Busy, Locked; empty when the holder cannot be seen
    QString reason;      // Failed: the system's words
    PortLock lock = {};  // the port's lock file, if any
};

// Whether `user` may read and write `node`, and if not, what would let him.
PortVerdict accessVerdict(const DeviceNode &node, const UserAccess &user);

// What a lock file says: Locked, LockInTheWay, or Usable when there is none
// or it can go.
PortVerdict lockVerdict(const PortLock &lock);

// The verdict on a port from all that is known: the node, the user, its
// lock, its holders and, after a failed open, the port's error (NoError
// when no open was tried).
PortVerdict portVerdict(const DeviceNode &node, const UserAccess &user, const PortLock &lock,
                        const QList<PortHolder> &holders, QSerialPort::SerialPortError error);

// The processes other than `self` whose open files in the /proc tree at
// `procRoot` include `device` (its real path, when it has one), in pid order.
QList<PortHolder> portHolders(const QString &procRoot, const QString &device, qint64 self);

// The diagnosis as the error box shows it, in the language of `texts`:
// "Cannot open Com3 (/dev/ttyUSB0):" and the verdict on the next line.
QString portDiagnosisText(const PortDiagnosis &diagnosis, const PortTexts &texts);
// The verdict alone: why, and what to do.
QString portVerdictText(const PortDiagnosis &diagnosis, const PortTexts &texts);

// The running system's side.
DeviceNode deviceNode(const QString &path);
UserAccess currentUser();
// Everything known about `systemPort` now; `error` and `reason` from a
// failed open, or NoError when none was tried.
PortDiagnosis diagnosePort(const QString &deviceName, const QString &systemPort,
                           QSerialPort::SerialPortError error = QSerialPort::NoError,
                           const QString &reason = QString());

// A port that cannot be opened: the diagnosis as data, so that the window
// can tell it in its own language; the message is the English text.
class PortOpenError : public PlatformError {
public:
    explicit PortOpenError(PortDiagnosis diagnosis);
    const PortDiagnosis &diagnosis() const { return diagnosis_; }

private:
    PortDiagnosis diagnosis_;
};
