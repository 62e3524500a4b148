#include "tool_run.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

ToolRun runProgram(const QString &program, const QStringList &arguments, const QString &folder, const ToolSetup &setup)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(setup.extra);
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(folder);
    if (!setup.outputFile.isEmpty())
        tool.setStandardOutputFile(setup.outputFile);
    if (!setup.errorFile.isEmpty())
        tool.setStandardErrorFile(setup.errorFile);
#ifdef Q_OS_UNIX
    if (const unsigned user = setup.user) {
        tool.setChildProcessModifier([user] {
            if (::setgid(user) != 0 || ::setuid(user) != 0)
                ::_exit(126);
        });
    }
#else
    // Windows runs a program as another user only with that user's password.
    Q_ASSERT(setup.user == 0);
#endif
    tool.start(program, arguments);
    ToolRun run;
    if (tool.waitForStarted() && setup.whileRunning)
        setup.whileRunning(tool.processId());
    if (!tool.waitForFinished(30000))
        tool.kill();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    if (tool.exitStatus() == QProcess::NormalExit && tool.error() != QProcess::FailedToStart)
        run.status = tool.exitCode();
    return run;
}

ToolRun runProgram(const QString &program, const QStringList &arguments, const QString &folder,
                   const QProcessEnvironment &extra)
{
    return runProgram(program, arguments, folder, ToolSetup{extra, {}, {}, 0, {}});
}

ToolRun runTool(const QStringList &arguments, const QString &folder, const ToolSetup &setup)
{
    return runProgram(QStringLiteral(IGCTOOL_PATH), arguments, folder, setup);
}

ToolRun runTool(const QStringList &arguments, const QString &folder, const QProcessEnvironment &extra)
{
    return runProgram(QStringLiteral(IGCTOOL_PATH), arguments, folder, extra);
}

#ifndef Q_OS_WIN // LD_PRELOAD is Linux's
namespace {

// `library` put into igctool with LD_PRELOAD, after any put there before.
QProcessEnvironment preloading(QProcessEnvironment environment, const QString &library)
{
    const QString preload = environment.value(QStringLiteral("LD_PRELOAD"));
    environment.insert(QStringLiteral("LD_PRELOAD"), (preload.isEmpty() ? QString() : preload + ' ') + library);
    // In a sanitizer build the runtime would insist on coming first.
    const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
    environment.insert(QStringLiteral("ASAN_OPTIONS"), asan + (asan.isEmpty() ? "" : ":") + "verify_asan_link_order=0");
    return environment;
}

} // namespace

QProcessEnvironment breakLogging(const QString &log)
{
    QProcessEnvironment environment = preloading({}, QStringLiteral(BREAK_LOG_LIBRARY));
    environment.insert(QStringLiteral("IGC_BREAK_LOG"), log);
    return environment;
}

QProcessEnvironment withLineFaults(QProcessEnvironment environment, const QStringList &settings)
{
    environment = preloading(environment, QStringLiteral(LINE_FAULTS_LIBRARY));
    for (const QString &setting : settings)
        environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
    return environment;
}
#endif
