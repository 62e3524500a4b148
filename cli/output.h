#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

enum class ToolLanguage;
struct ToolTexts;

// igctool's output: results on stdout, everything else on stderr, one line
// a message, each starting with "igctool: ". Every byte for stdout goes
// through the C library's stream, so one check at the end sees any write
// that failed (a full disk, a closed pipe, /dev/full).

// How much igctool says beyond its results and errors.
enum class Verbosity { Quiet, Normal, Verbose };
void setVerbosity(Verbosity verbosity);
Verbosity verbosity();

// The messages' language, as the locale asks (LC_ALL, LC_MESSAGES, LANG),
// and its texts.
ToolLanguage language();
const ToolTexts &texts();

void writeOut(const QByteArray &bytes);
void say(const QString &line);
// One JSON document on a line of its own.
void sayJson(const QJsonObject &object);

// For output that a reader waits for line by line (emulate's): each line
// flushed at once, and a reader that has gone is no failure of igctool's.
void sayLineByLine();

// An error, or what stops a command: "igctool: " and the text on one line.
void complain(const QString &text);
// What a user should know beside the result (the port igctool chose, a
// note); not with --quiet.
void inform(const QString &text);
// What igctool does, step by step; only with --verbose.
void detail(const QString &text);

// Ends a command with its exit status once the complaint is said; main
// catches it. Never thrown while an event loop runs.
struct ToolExit {
    int status;
};
[[noreturn]] void fail(int status, const QString &complaint);

// The exit status once stdout is flushed: `status`, or, when some output
// could not be written, the reason on stderr and ExitFile.
int flushedOutput(int status);
