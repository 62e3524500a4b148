#include "core/text_file.h"

#include "core/platform_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using Why = FileAccessError::Why;

[[noreturn]] void failReading(const QString &path, const QString &reason, Why why = Why::System)
{
    throw FileAccessError(false, path, why, reason);
}

[[noreturn]] void failWriting(const QString &path, const QString &reason)
{
    throw FileAccessError(true, path, Why::System, reason);
}

bool syncToDisk(const QSaveFile &file)
{
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

} // namespace

FileAccessError::FileAccessError(bool writing, const QString &path, Why why, const QString &reason)
    : PlatformError(QStringLiteral("%1 %2:\n%3").arg(writing ? QStringLiteral("Cannot write") : QStringLiteral("Cannot read"),
                                                     QDir::toNativeSeparators(path), reason)),
      writing_(writing), path_(path), why_(why), reason_(reason)
{
}

QByteArray readTextFile(const QString &path, qint64 maxBytes)
{
    const QString tooLarge = QStringLiteral("The file is larger than %1 bytes").arg(maxBytes);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        failReading(path, QStringLiteral("Not a regular file"), Why::NotRegular);
    if (info.size() > maxBytes)
        failReading(path, tooLarge, Why::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failReading(path, file.errorString());
    // The file may have grown since it was measured.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        failReading(path, file.errorString());
    if (bytes.size() > maxBytes)
        failReading(path, tooLarge, Why::TooLarge);
    return bytes;
}

void writeTextFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a failed write shows in write()'s result: a
    // buffered QSaveFile fails only in its final flush, and commits anyway
    // (a full disk left the old file empty and the save said "saved").
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        failWriting(path, file.errorString());
    // commit() syncs too but ignores a failure; the old file must not be
    // replaced by one whose bytes never reached the disk.
    if (!syncToDisk(file))
        failWriting(path, qt_error_string(errno));
    if (!file.commit())
        failWriting(path, file.errorString());
}
