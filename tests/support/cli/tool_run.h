#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
#include <functional>

// igctool, the built program, run as a whole process as a script runs it.
struct ToolRun {
    int status = -1; // the exit status; -1 when it crashed or did not end
    QByteArray out;
    QByteArray err;
};

// How it runs, beyond its arguments and folder.
struct ToolSetup {
    QProcessEnvironment extra; // added to the environment
    QString outputFile;        // stdout goes there instead of a pipe
    QString errorFile;         // stderr goes there (a terminal, say)
    unsigned user = 0;         // runs as this user and group id when not 0 (the test runs as root)
    std::function<void(qint64 pid)> whileRunning; // once it started
};

// Runs `program` with `arguments` in `folder` (the current one when empty)
// and waits until it ends.
ToolRun runProgram(const QString &program, const QStringList &arguments, const QString &folder, const ToolSetup &setup);
// ... with `extra` added to the environment.
ToolRun runProgram(const QString &program, const QStringList &arguments, const QString &folder = QString(),
                   const QProcessEnvironment &extra = QProcessEnvironment());

// The same for igctool.
ToolRun runTool(const QStringList &arguments, const QString &folder, const ToolSetup &setup);
ToolRun runTool(const QStringList &arguments, const QString &folder = QString(),
                const QProcessEnvironment &extra = QProcessEnvironment());

// The environment that makes igctool log its BREAK requests to `log`,
// which BreakRecorder::readLog reads.
QProcessEnvironment breakLogging(const QString &log);

// `environment` with the line's faults (tests/support/serial/line_faults.cpp)
// put into igctool, each setting as NAME=VALUE.
QProcessEnvironment withLineFaults(QProcessEnvironment environment, const QStringList &settings);
