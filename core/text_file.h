#pragma once

#include <QByteArray>
#include <QString>

// Whole-file access for the curve and settings files. Failures raise
// PlatformError with the path and the system's reason. A write goes to a
// temporary file in the same folder that then replaces the old one, so a
// crash or a full disk never leaves a half-written file behind.
QByteArray readTextFile(const QString &path);
void writeTextFile(const QString &path, const QByteArray &bytes);
