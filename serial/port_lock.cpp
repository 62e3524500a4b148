#include "serial/port_lock.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

const QStringList &lockFolders()
{
    static const QStringList folders = {
        QStringLiteral("/var/lock"), QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"),
        QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"), QStringLiteral("/var/tmp"),
        QStringLiteral("/var/lock/lockdev"), QStringLiteral("/run/lock"),
    };
    return folders;
}

QString portLockPath(const QString &systemPort, const QStringList &folders)
{
    QString name = systemPort.startsWith(QLatin1String("/dev/")) ? systemPort.mid(5) : systemPort;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &folder : folders) {
        const QFileInfo info(folder);
        const QString path = folder + QStringLiteral("/LCK..") + name;
        if (info.isReadable() && (QFile::exists(path) || info.isWritable()))
            return path;
    }
    return QString();
}

std::optional<qint64> lockPid(const QByteArray &content)
{
    bool number = false;
    const qint64 pid = content.left(content.indexOf('\n')).trimmed().toLongLong(&number);
    if (number)
        return pid > 0 ? std::optional<qint64>(pid) : std::nullopt;
    if (content.size() == 4) {
        qint32 binary = 0;
        std::memcpy(&binary, content.constData(), sizeof binary);
        if (binary > 0)
            return binary;
    }
    return std::nullopt;
}

#ifdef Q_OS_UNIX

namespace {

bool processRuns(qint64 pid)
{
    // Another user's process answers EPERM: it runs all the same.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString userName(uid_t uid)
{
    const passwd *account = ::getpwuid(uid);
    return account ? QString::fromLocal8Bit(account->pw_name) : QString::number(uid);
}

// What unlink() would allow: write access to the folder, and with its
// sticky bit set, owning the file or the folder (or being root).
bool mayRemove(const QByteArray &path, const struct stat &file)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0 || ::access(folder.constData(), W_OK | X_OK) != 0)
        return false;
    const uid_t self = ::geteuid();
    return !(dir.st_mode & S_ISVTX) || self == 0 || self == file.st_uid || self == dir.st_uid;
}

} // namespace

PortLock inspectPortLock(const QString &systemPort)
{
    PortLock lock;
    lock.path = portLockPath(systemPort);
    const QByteArray path = QFile::encodeName(lock.path);
    struct stat file {};
    if (lock.path.isEmpty() || ::lstat(path.constData(), &file) != 0)
        return lock;
    lock.owner = userName(file.st_uid);
    lock.removable = mayRemove(path, file);
    QFile content(lock.path);
    const std::optional<qint64> pid = content.open(QIODevice::ReadOnly) ? lockPid(content.read(256)) : std::nullopt;
    if (!pid) {
        lock.state = PortLock::State::Unreadable;
        return lock;
    }
    lock.pid = *pid;
    lock.state = processRuns(*pid) ? PortLock::State::Live : PortLock::State::Stale;
    return lock;
}

bool removeStaleLock(const PortLock &lock)
{
    if (lock.state != PortLock::State::Stale || !lock.removable)
        return lock.state == PortLock::State::None;
    return ::unlink(QFile::encodeName(lock.path).constData()) == 0 || errno == ENOENT;
}

#else

// Windows keeps no lock files: the system refuses a second open itself.
PortLock inspectPortLock(const QString &)
{
    return {};
}

bool removeStaleLock(const PortLock &lock)
{
    return lock.state == PortLock::State::None;
}

#endif
