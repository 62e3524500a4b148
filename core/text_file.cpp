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

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw PlatformError(QStringLiteral("%1 %2:\n%3").arg(what, QDir::toNativeSeparators(path), reason));
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

QByteArray readTextFile(const QString &path, qint64 maxBytes)
{
    const QString what = QStringLiteral("Cannot read");
    const QString tooLarge = QStringLiteral("The file is larger than %1 bytes").arg(maxBytes);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        fail(what, path, QStringLiteral("Not a regular file"));
    if (info.size() > maxBytes)
        fail(what, path, tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(what, path, file.errorString());
    // The file may have grown since it was measured.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        fail(what, path, file.errorString());
    if (bytes.size() > maxBytes)
        fail(what, path, tooLarge);
    return bytes;
}

void writeTextFile(const QString &path, const QByteArray &bytes)
{
    const QString what = QStringLiteral("Cannot write");
    QSaveFile file(path);
    // Unbuffered, so that a failed write shows in write()'s result: a
    // buffered QSaveFile fails only in its final flush, and commits anyway
    // (a full disk left the old file empty and the save said "saved").
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        fail(what, path, file.errorString());
    // commit() syncs too but ignores a failure; the old file must not be
    // replaced by one whose bytes never reached the disk.
    if (!syncToDisk(file))
        fail(what, path, qt_error_string(errno));
    if (!file.commit())
        fail(what, path, file.errorString());
}
