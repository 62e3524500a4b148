#pragma once

#include "core/platform_error.h"

#include <QByteArray>
#include <QString>

// Curve and settings files are a few hundred bytes; a file beyond this bound
// is none of them, and is refused before it is read.
constexpr qint64 kMaxTextFileBytes = qint64(1) << 20;

// A file that could not be read or written, with its parts, so that a
// program can tell it in its own words; the message is the English one.
class FileAccessError : public PlatformError {
public:
    enum class Why { System, NotRegular, TooLarge };
    FileAccessError(bool writing, const QString &path, Why why, const QString &reason);
    bool writing() const { return writing_; }
    const QString &path() const { return path_; }
    Why why() const { return why_; }
    const QString &reason() const { return reason_; } // the system's words (Why::System)

private:
    bool writing_;
    QString path_;
    Why why_;
    QString reason_;
};

// Whole-file access for the curve and settings files. Failures raise
// FileAccessError with the path and the system's reason.
//
// Only a regular file is read (never a FIFO, which would block the open, nor
// a device, which may never end), and only one of at most maxBytes.
QByteArray readTextFile(const QString &path, qint64 maxBytes = kMaxTextFileBytes);

// A write goes to a temporary file in the same folder that replaces the old
// one only when every byte is on the disk, so a crash or a full disk never
// leaves a half-written or empty file behind.
void writeTextFile(const QString &path, const QByteArray &bytes);
