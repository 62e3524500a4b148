#include "cli/output.h"

#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void say(const QString &line)
{
    writeOut(line.toUtf8() + '\n');
}

void complain(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

int flushedOutput(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    complain(QStringLiteral("igctool: cannot write to standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    return status == ExitDone ? ExitRefused : status;
}
