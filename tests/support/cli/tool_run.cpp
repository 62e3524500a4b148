#include "tool_run.h"

#include <QProcess>

ToolRun runProgram(const QString &program, const QStringList &arguments, const QString &folder,
                   const QProcessEnvironment &extra)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(extra);
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(folder);
    tool.start(program, arguments);
    ToolRun run;
    if (!tool.waitForFinished(30000))
        tool.kill();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    if (tool.exitStatus() == QProcess::NormalExit && tool.error() != QProcess::FailedToStart)
        run.status = tool.exitCode();
    return run;
}

ToolRun runTool(const QStringList &arguments, const QString &folder, const QProcessEnvironment &extra)
{
    return runProgram(QStringLiteral(IGCTOOL_PATH), arguments, folder, extra);
}

QProcessEnvironment breakLogging(const QString &log)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(BREAK_LOG_LIBRARY));
    environment.insert(QStringLiteral("IGC_BREAK_LOG"), log);
    // In a sanitizer build the runtime would insist on coming first.
    QString asan = qEnvironmentVariable("ASAN_OPTIONS");
    environment.insert(QStringLiteral("ASAN_OPTIONS"), asan + (asan.isEmpty() ? "" : ":") + "verify_asan_link_order=0");
    return environment;
}
