#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The UUCP lock files serial programs on Unix leave while they use a port
// (LCK..ttyUSB0 in the lock folder, naming the process). Qt's serial port
// writes and honours one too, but takes any lock whose program line differs
// from the running process's name for stale and removes it, the classic
// form included: what an existing lock means is decided here first.

// The folders Qt's serial port looks in, in its order.
const QStringList &lockFolders();

// Where the lock of `systemPort` lives: in the first of `folders` that can
// be read and either holds that lock or may be written to. Empty when none.
QString portLockPath(const QString &systemPort, const QStringList &folders = lockFolders());

// The process a lock names, in any form in use: the ASCII process id (the
// classic ten places, right-aligned, or Qt's first of three lines) or the
// old binary one of four bytes. None when it names no process.
std::optional<qint64> lockPid(const QByteArray &content);

struct PortLock {
    enum class State {
        None,       // no lock
        Live,       // its process runs
        Stale,      // its process is gone
        Unreadable, // it names no process
    };
    State state = State::None;
    QString path;
    qint64 pid = 0;
    QString command;        // the running process's name, "?" when it cannot be seen
    QString owner;          // the user the lock file belongs to
    bool removable = false; // this user may remove it (the folder's sticky bit)
};

// The lock of `systemPort` as it stands; None on systems without lock files.
PortLock inspectPortLock(const QString &systemPort);

// Removes the lock of a process that is gone, where this user may; true
// when no lock is left.
bool removeStaleLock(const PortLock &lock);
