#pragma once

#include <QString>

// What igctool's exit status says.
enum ExitStatus {
    ExitDone = 0,
    ExitRefused = 1, // the check failed, or the input is bad
    ExitUsage = 2,
    ExitPort = 3,    // the port could not be opened, or another program holds it
    ExitLine = 4,    // the line failed while sending
    // After SIGINT and SIGTERM: 128 and the signal's number (130, 143).
};

// The commands; each prints its result on stdout, its complaints on stderr,
// and gives the exit status.
int checkCommand(const QString &curve);
int showCommand(const QString &curve);
int frameCommand(const QString &curve, bool raw);
// A port other processes hold open is refused unless `shared`.
int downloadCommand(const QString &curve, const QString &port, bool shared);
int wakeCommand(const QString &port, bool shared);
int portsCommand();
int exportCommand(const QString &curve);
int importCommand(const QString &table, const QString &into, const QString &output);
