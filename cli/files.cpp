#include "cli/files.h"

#include "cli/commands.h"
#include "cli/file_names.h"
#include "cli/output.h"
#include "core/text_file.h"
#include "core/tool_texts.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

namespace {

// A stream a shell hands over: a pipe or a terminal as well as a file.
bool isStreamName(const QString &argument)
{
#ifdef Q_OS_UNIX
    static const QRegularExpression stream(QStringLiteral("^/dev/(stdin|stdout|fd/[0-9]+)$"));
    return stream.match(argument).hasMatch();
#else
    Q_UNUSED(argument);
    return false;
#endif
}

[[noreturn]] void failAccess(const FileAccessError &e, const QString &argument)
{
    const ToolTexts &t = texts();
    QString why = e.reason();
    if (e.why() == FileAccessError::Why::NotRegular)
        why = t.notRegularFile;
    else if (e.why() == FileAccessError::Why::TooLarge)
        why = t.tooLarge.arg(kMaxTextFileBytes);
    fail(ExitFile, (e.writing() ? t.cannotWrite : t.cannotRead).arg(displayName(argument), why));
}

// A stream read to its end, or as far as one byte beyond the bound.
QByteArray readStream(QFile &stream, const QString &argument)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const qint64 n = stream.read(buffer, sizeof buffer);
        if (n < 0)
            failAccess(FileAccessError(false, argument, FileAccessError::Why::System, stream.errorString()), argument);
        if (n == 0)
            return bytes;
        bytes.append(buffer, n);
        if (bytes.size() > kMaxTextFileBytes)
            failAccess(FileAccessError(false, argument, FileAccessError::Why::TooLarge, {}), argument);
    }
}

} // namespace

QString displayName(const QString &argument)
{
    return isStandardInput(argument) ? texts().standardInput : argument;
}

bool isStandardInput(const QString &argument)
{
    return argument == QLatin1String("-");
}

QByteArray readInput(const QString &argument)
{
    QFile stream;
    if (isStandardInput(argument)) {
        if (!stream.open(0, QIODevice::ReadOnly))
            failAccess(FileAccessError(false, argument, FileAccessError::Why::System, stream.errorString()), argument);
        return readStream(stream, argument);
    }
    if (isStreamName(argument)) {
        stream.setFileName(argument);
        if (!stream.open(QIODevice::ReadOnly))
            failAccess(FileAccessError(false, argument, FileAccessError::Why::System, stream.errorString()), argument);
        return readStream(stream, argument);
    }
    try {
        return readTextFile(readablePath(argument));
    } catch (const FileAccessError &e) {
        failAccess(e, argument);
    }
}

bool isStandardOutput(const QString &argument)
{
    return argument.isEmpty() || argument == QLatin1String("-") || argument == QLatin1String("/dev/stdout");
}

void checkOutput(const QString &argument)
{
    if (isStandardOutput(argument) || isStreamName(argument))
        return;
    if (isLostName(argument))
        fail(ExitRefused, texts().lostName.arg(argument));
    const QFileInfo target(argument);
    if (target.exists() && !target.isFile())
        fail(ExitRefused, texts().refusedTarget.arg(argument));
}

namespace {

// A replaced file is a new one: it gets back the owner and group of the
// one it replaced, where this user may give them.
void keepOwner(const QString &output, const QFileInfo &before)
{
#ifdef Q_OS_UNIX
    const QFileInfo after(output);
    if (after.ownerId() == before.ownerId() && after.groupId() == before.groupId())
        return;
    if (::chown(QFile::encodeName(output).constData(), before.ownerId(), before.groupId()) == 0)
        return;
    complain(texts().ownerChanged.arg(output, after.owner(), after.group(), before.owner(), before.group(),
                                      QString::fromLocal8Bit(std::strerror(errno))));
#else
    Q_UNUSED(output);
    Q_UNUSED(before);
#endif
}

} // namespace

void writeOutput(const QString &argument, const QByteArray &bytes)
{
    if (isStandardOutput(argument)) {
        writeOut(bytes);
        return;
    }
    if (isStreamName(argument)) {
        QFile stream(argument);
        if (!stream.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || stream.write(bytes) != bytes.size())
            failAccess(FileAccessError(true, argument, FileAccessError::Why::System, stream.errorString()), argument);
        return;
    }
    // Its owner as it is now: the file is replaced below.
    QFileInfo before(argument);
    before.stat();
    try {
        writeTextFile(argument, bytes);
    } catch (const FileAccessError &e) {
        failAccess(e, argument);
    }
    if (before.exists())
        keepOwner(argument, before);
    detail(texts().written.arg(argument, QString::number(bytes.size())));
}
