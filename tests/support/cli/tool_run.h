#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

// igctool, the built program, run as a whole process as a script runs it.
struct ToolRun {
    int status = -1; // the exit status; -1 when it crashed or did not end
    QByteArray out;
    QByteArray err;
};

// Runs `program` with `arguments` in `folder` (the current one when empty),
// with `extra` added to the environment, and waits until it ends.
ToolRun runProgram(const QString &program, const QStringList &arguments, const QString &folder = QString(),
                   const QProcessEnvironment &extra = QProcessEnvironment());

// The same for igctool.
ToolRun runTool(const QStringList &arguments, const QString &folder = QString(),
                const QProcessEnvironment &extra = QProcessEnvironment());

// The environment that makes igctool log its BREAK requests to `log`,
// which BreakRecorder::readLog reads.
QProcessEnvironment breakLogging(const QString &log);
