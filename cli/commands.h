#pragma once

#include <QString>
#include <optional>

// What igctool's exit status says.
enum ExitStatus {
    ExitDone = 0,
    ExitRefused = 1, // the check failed, a mismatch, a refused target
    ExitUsage = 2,
    ExitPort = 3,    // the port could not be opened, or another program holds it
    ExitLine = 4,    // the line failed while sending
    ExitFile = 5,    // a file could not be read or written
    // After SIGINT and SIGTERM: 128 and the signal's number (130, 143).
};

// The commands; each prints its result on stdout, its complaints on stderr,
// and gives the exit status (or ends with ToolExit, cli/output.h).
int checkCommand(const QString &curve, bool json);
int showCommand(const QString &curve, bool json);
int frameCommand(const QString &curve, bool raw);
// Without a port: IGC_PORT, else the only USB serial adapter. A port
// other processes hold open is refused unless `shared`.
int downloadCommand(const QString &curve, const std::optional<QString> &port, bool shared, bool json);
int wakeCommand(const std::optional<QString> &port, bool shared);
int portsCommand(bool json);
int exportCommand(const QString &curve, const QString &output);
int importCommand(const QString &table, const QString &into, const QString &output);
