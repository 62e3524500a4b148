#include "cli/output.h"

#include "cli/commands.h"
#include "core/tool_texts.h"

#include <QJsonDocument>
#include <QLocale>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

Verbosity current = Verbosity::Normal;
bool lineByLine = false;

void toStderr(const QString &text)
{
    // A platform's message may run over several lines.
    const QByteArray bytes = QStringLiteral("igctool: ").toUtf8() + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

ToolLanguage localeLanguage()
{
    const ToolLanguage language = messageLanguage(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                                                  qEnvironmentVariable("LANG"));
#ifdef Q_OS_WIN
    // Windows sets none of them; its own setting counts then.
    if (qEnvironmentVariableIsEmpty("LC_ALL") && qEnvironmentVariableIsEmpty("LC_MESSAGES") && qEnvironmentVariableIsEmpty("LANG"))
        return QLocale::system().language() == QLocale::Hungarian ? ToolLanguage::Hungarian : ToolLanguage::English;
#endif
    return language;
}

} // namespace

void setVerbosity(Verbosity verbosity)
{
    current = verbosity;
}

Verbosity verbosity()
{
    return current;
}

ToolLanguage language()
{
    static const ToolLanguage chosen = localeLanguage();
    return chosen;
}

const ToolTexts &texts()
{
    return toolTexts(language());
}

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (!lineByLine)
        return;
    std::fflush(stdout);
    std::clearerr(stdout);
}

void say(const QString &line)
{
    writeOut(line.toUtf8() + '\n');
}

void sayJson(const QJsonObject &object)
{
    writeOut(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void sayLineByLine()
{
    lineByLine = true;
}

void complain(const QString &text)
{
    toStderr(text);
}

void inform(const QString &text)
{
    if (current != Verbosity::Quiet)
        toStderr(text);
}

void detail(const QString &text)
{
    if (current == Verbosity::Verbose)
        toStderr(text);
}

void fail(int status, const QString &complaint)
{
    complain(complaint);
    throw ToolExit{status};
}

int flushedOutput(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    complain(texts().cannotWriteOut.arg(QString::fromLocal8Bit(std::strerror(errno))));
    return status == ExitDone ? ExitFile : status;
}
