#pragma once

// Runs programs as whole processes and measures each run: wall time from
// fork to exit, the CPU time it used (user + system) and its peak memory.
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct ProcessRun {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
    int status = -1; // the exit status, or -1 when it did not exit normally
};

// Starts `program` with `arguments` in `folder` and waits for it.
inline ProcessRun runProcess(const QString &program, const QStringList &arguments, const QString &folder)
{
    std::vector<QByteArray> args{program.toLocal8Bit()};
    for (const QString &a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray dir = folder.toLocal8Bit();

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // What the program prints is not the benchmark's.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0)
            dup2(null, STDOUT_FILENO);
        if (chdir(dir.constData()) == 0)
            execv(argv[0], argv.data());
        std::_Exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss / 1024.0,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// Runs the programs in turn, `rounds` times each, alternating so that both
// see the same machine, and gives every program's runs.
inline QList<QList<ProcessRun>> runAlternately(const QList<QStringList> &commands, const QString &folder, int rounds)
{
    QList<QList<ProcessRun>> runs(commands.size());
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype c = 0; c < commands.size(); ++c) {
            const ProcessRun run = runProcess(commands[c].first(), commands[c].mid(1), folder);
            if (run.status != 0)
                std::fprintf(stderr, "%s exited with %d\n", qPrintable(commands[c].join(' ')), run.status);
            runs[c] << run;
        }
    }
    return runs;
}
