#pragma once

#include <QByteArray>
#include <QString>

// igctool's output: results on stdout, complaints on stderr. Every byte for
// stdout goes through the C library's stream, so one check at the end sees
// any write that failed (a full disk, a closed pipe, /dev/full).
void writeOut(const QByteArray &bytes);
void say(const QString &line);
void complain(const QString &line);

// The exit status once stdout is flushed: `status`, or, when some output
// could not be written, the reason on stderr and a failure status.
int flushedOutput(int status);
