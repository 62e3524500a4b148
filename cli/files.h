#pragma once

#include <QByteArray>
#include <QString>

// The files a command line names. "-" is standard input or output.

// The name a message gives a file argument: "-" is "(standard input)".
QString displayName(const QString &argument);

// Whether an argument stands for standard input.
bool isStandardInput(const QString &argument);

// The bytes of a file argument, at most kMaxTextFileBytes. Standard input,
// /dev/stdin and the /dev/fd/N that a shell's process substitution hands
// over are read as the streams they are; any other name only as a regular
// file, never a FIFO or a device. Ends the command with ExitFile, and the
// reason, when it cannot be read.
QByteArray readInput(const QString &argument);

// Whether an -o can be written: standard output ("-", /dev/stdout, or no
// -o at all), a pipe of /dev/fd/N, a regular file (replaced whole) or a new
// name with a UTF-8 name. Anything else would be replaced by the file:
// /dev/null put back as one breaks the system. Ends the command with
// ExitRefused and says why otherwise.
void checkOutput(const QString &argument);
bool isStandardOutput(const QString &argument);

// Writes `bytes` where checkOutput allowed: a file through the atomic writer,
// keeping the owner and group of the one it replaces (or saying why not).
// Ends the command with ExitFile when the writing fails.
void writeOutput(const QString &argument, const QByteArray &bytes);
