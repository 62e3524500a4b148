#include "core/text_file.h"

#include "core/platform_error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw PlatformError(QStringLiteral("%1 %2:\n%3").arg(what, QDir::toNativeSeparators(path), reason));
}

} // namespace

QByteArray readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot read"), path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot read"), path, file.errorString());
    return bytes;
}

void writeTextFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("Cannot write"), path, file.errorString());
}
