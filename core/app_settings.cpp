#include "core/app_settings.h"

#include "core/platform_error.h"
#include "core/text_file.h"
#include "core/win1250.h"

#include <QFileInfo>

QStringList splitSettingsLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << decodeWin1250(bytes.mid(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << decodeWin1250(bytes.mid(start));
    return lines;
}

QByteArray joinSettingsLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encodeWin1250(line) + "\r\n";
    return bytes;
}

QStringList updateSettingsLine(QStringList lines, int index, const QString &text, bool mayAppend)
{
    if (lines.size() > index)
        lines[index] = text;
    else if (lines.size() == index && mayAppend)
        lines << text;
    return lines;
}

bool AppSettings::exists() const
{
    return QFileInfo::exists(path_);
}

QStringList AppSettings::readAll() const
{
    return splitSettingsLines(readTextFile(path_));
}

void AppSettings::writeAll(const QStringList &lines) const
{
    writeTextFile(path_, joinSettingsLines(lines));
}

void AppSettings::updateLine(int index, const QString &text, bool mayAppend) const
{
    if (!exists())
        return;
    writeAll(updateSettingsLine(readAll(), index, text, mayAppend));
}
