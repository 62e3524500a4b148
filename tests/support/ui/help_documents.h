#pragma once

#include <QByteArray>
#include <QFile>

// The bytes of a manual shipped in help/ ("Help.rtf", "Help_eng.rtf").
inline QByteArray helpDocument(const QString &name)
{
    QFile file(QStringLiteral(IGC_SOURCE_DIR "/help/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
