#pragma once

#include <QByteArray>
#include <QFile>
#include <QTest>

// The bytes of a manual shipped in help/ ("Help.rtf", "Help_eng.rtf").
inline QByteArray helpDocument(const QString &name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../../help/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
