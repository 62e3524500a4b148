#include "serial/port_doctor.h"

#include "serial/device_name.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif
#include <unistd.h>
#endif

PortVerdict accessVerdict(const DeviceNode &node, const UserAccess &user)
{
    if (!node.exists)
        return PortVerdict::Missing;
    if (user.uid == 0)
        return PortVerdict::Usable;
    // Read and write for the owner, the group or the others; only the first
    // class the user falls in counts.
    const auto allows = [&](int shift) { return ((node.mode >> shift) & 06) == 06; };
    if (user.uid == node.owner)
        return allows(6) ? PortVerdict::Usable : PortVerdict::NoPermission;
    if (user.loginGroups.contains(node.group))
        return allows(3) ? PortVerdict::Usable : PortVerdict::NoPermission;
    if (allows(0))
        return PortVerdict::Usable;
    if (allows(3))
        return user.memberGroups.contains(node.group) ? PortVerdict::NeedsNewLogin : PortVerdict::NeedsGroup;
    return PortVerdict::NoPermission;
}

PortVerdict lockVerdict(const PortLock &lock)
{
    switch (lock.state) {
    case PortLock::State::Live:
        return PortVerdict::Locked;
    case PortLock::State::Unreadable:
        return PortVerdict::LockInTheWay;
    case PortLock::State::Stale:
        return lock.removable ? PortVerdict::Usable : PortVerdict::LockInTheWay;
    case PortLock::State::None:
        break;
    }
    return PortVerdict::Usable;
}

PortVerdict portVerdict(const DeviceNode &node, const UserAccess &user, const PortLock &lock,
                        const QList<PortHolder> &holders, QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::DeviceNotFoundError || !node.exists)
        return PortVerdict::Missing;
    if (!node.serial)
        return PortVerdict::NotSerial;
    // A lock names its program whoever may use the node.
    if (const PortVerdict locked = lockVerdict(lock); locked != PortVerdict::Usable)
        return locked;
    const PortVerdict access = accessVerdict(node, user);
    if (access != PortVerdict::Usable)
        return access;
    if (!holders.isEmpty())
        return PortVerdict::Busy;
    switch (error) {
    case QSerialPort::NoError:
        return PortVerdict::Usable;
    case QSerialPort::PermissionError:
        // The node lets this user in, so the port is taken: locked or held
        // exclusively by a process this user cannot look into.
        return PortVerdict::Busy;
    default:
        break;
    }
    return PortVerdict::Failed;
}

namespace {

// A process as /proc shows it; its name is "?" when this user cannot see it.
PortHolder processAt(const QString &procRoot, qint64 pid)
{
    QFile comm(QStringLiteral("%1/%2/comm").arg(procRoot).arg(pid));
    const QString command = comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
    return {pid, command.isEmpty() ? QStringLiteral("?") : command};
}

} // namespace

QList<PortHolder> portHolders(const QString &procRoot, const QString &device, qint64 self)
{
    const QString real = QFileInfo(device).canonicalFilePath();
    const QString target = real.isEmpty() ? device : real;
    QList<PortHolder> holders;
    const QDir proc(procRoot);
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid == self)
            continue;
        // Other users' descriptors stay closed to us: such a list is empty.
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        const QStringList links = fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        const bool holds = std::any_of(links.begin(), links.end(), [&](const QString &link) {
            return QFile::symLinkTarget(fds.filePath(link)) == target;
        });
        if (!holds)
            continue;
        holders << processAt(procRoot, pid);
    }
    std::sort(holders.begin(), holders.end(), [](const PortHolder &a, const PortHolder &b) { return a.pid < b.pid; });
    return holders;
}

QString portVerdictText(const PortDiagnosis &d, const PortTexts &texts)
{
    switch (d.verdict) {
    case PortVerdict::NoPort:
        return texts.noPort;
    case PortVerdict::Missing:
        return texts.missing;
    case PortVerdict::NotSerial:
        return texts.notSerial;
    case PortVerdict::Locked:
        return texts.locked.arg(texts.holder.arg(d.lock.command).arg(d.lock.pid), d.lock.path);
    case PortVerdict::LockInTheWay:
        return texts.lockInTheWay.arg(d.lock.path, d.lock.owner);
    case PortVerdict::NeedsGroup:
        return texts.needsGroup.arg(d.group);
    case PortVerdict::NeedsNewLogin:
        return texts.needsNewLogin.arg(d.group);
    case PortVerdict::NoPermission:
        return texts.noPermission;
    case PortVerdict::Busy: {
        QStringList holders;
        for (const PortHolder &h : d.holders)
            holders << texts.holder.arg(h.command).arg(h.pid);
        return holders.isEmpty() ? texts.busyUnknown : texts.busy.arg(holders.join(QStringLiteral(", ")));
    }
    case PortVerdict::Usable:
    case PortVerdict::Failed:
        break;
    }
    return d.reason;
}

QString portDiagnosisText(const PortDiagnosis &d, const PortTexts &texts)
{
    const QString head = d.systemPort.isEmpty() || d.systemPort == d.deviceName
        ? texts.cannotOpenPath.arg(d.deviceName.isEmpty() ? QStringLiteral("\"\"") : d.deviceName)
        : texts.cannotOpen.arg(d.deviceName, d.systemPort);
    return head + QLatin1Char('\n') + portVerdictText(d, texts);
}

#ifdef Q_OS_UNIX

namespace {

// A serial port is a terminal device. Linux files every terminal but the
// pseudo-terminals under the tty class of /sys; other systems are taken at
// the node's word.
bool isTerminalDevice(const struct stat &node)
{
    if (!S_ISCHR(node.st_mode))
        return false;
#ifdef Q_OS_LINUX
    const QString classes = QStringLiteral("/sys/dev/char");
    if (!QFileInfo::exists(classes))
        return true;
    const unsigned major = ::major(node.st_rdev);
    const QString device = QFileInfo(QStringLiteral("%1/%2:%3").arg(classes).arg(major).arg(::minor(node.st_rdev))).canonicalFilePath();
    // 136 to 143: the slaves of the pseudo-terminal pairs.
    return device.isEmpty() ? major >= 136 && major <= 143 : device.contains(QLatin1String("/tty/"));
#else
    return true;
#endif
}

} // namespace

DeviceNode deviceNode(const QString &path)
{
    struct stat node {};
    if (::stat(QFile::encodeName(path).constData(), &node) != 0)
        return {};
    const group *owner = ::getgrgid(node.st_gid);
    return {true, unsigned(node.st_mode & 07777), unsigned(node.st_uid), unsigned(node.st_gid),
            owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(node.st_gid), isTerminalDevice(node)};
}

UserAccess currentUser()
{
    UserAccess user;
    user.uid = ::geteuid();
    QList<gid_t> groups(std::max(0, ::getgroups(0, nullptr)));
    groups.resize(std::max(0, ::getgroups(int(groups.size()), groups.data())));
    groups << ::getegid();
    user.loginGroups = QList<unsigned>(groups.begin(), groups.end());
    if (const passwd *account = ::getpwuid(user.uid)) {
        int count = 64;
        QList<gid_t> member(count);
        if (::getgrouplist(account->pw_name, account->pw_gid, member.data(), &count) < 0) {
            member.resize(count);
            ::getgrouplist(account->pw_name, account->pw_gid, member.data(), &count);
        }
        member.resize(count);
        user.memberGroups = QList<unsigned>(member.begin(), member.end());
    }
    return user;
}

#else

// Other systems have no device nodes to look at: only the port's own error
// speaks.
DeviceNode deviceNode(const QString &)
{
    return {true, 0666, 0, 0, QString()};
}

UserAccess currentUser()
{
    return {};
}

#endif

PortDiagnosis diagnosePort(const QString &deviceName, const QString &systemPort,
                           QSerialPort::SerialPortError error, const QString &reason)
{
    PortDiagnosis d{deviceName, systemPort, PortVerdict::NoPort, QString(), {}, reason, {}};
    if (systemPort.isEmpty()) {
        // "Com" and a number that stands for no port; any other name is
        // its own port, so an empty one is none.
        if (!isComName(deviceName))
            d.verdict = PortVerdict::NotSerial;
        return d;
    }
    const DeviceNode node = deviceNode(systemPort);
    d.lock = inspectPortLock(systemPort);
#ifdef Q_OS_LINUX
    const QString proc = QStringLiteral("/proc");
    // Everything holds /dev/null: only a terminal's holders are worth naming.
    if (node.serial)
        d.holders = portHolders(proc, systemPort, QCoreApplication::applicationPid());
    if (d.lock.state == PortLock::State::Live)
        d.lock.command = processAt(proc, d.lock.pid).command;
#endif
    d.group = node.groupName;
    d.verdict = portVerdict(node, currentUser(), d.lock, d.holders, error);
    return d;
}

PortOpenError::PortOpenError(PortDiagnosis diagnosis)
    : PlatformError(portDiagnosisText(diagnosis, englishPortTexts())), diagnosis_(std::move(diagnosis))
{
}
