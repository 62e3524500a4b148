#pragma once

#include <QString>

// igctool emulate: the module on the desk. Receives downloads on a
// pseudo-terminal or a serial port, decodes each frame and checks it.
struct EmulateOptions {
    QString port;   // a serial port; empty for a pseudo-terminal
    QString link;   // also a symbolic link to the line's device here
    QString expect; // the curve file the frame must equal
    QString out;    // the received curve is written here
    bool once = false;
    bool json = false;
};

// What `igctool emulate --help` says below its usage line.
extern const char *const kEmulateHelp;

int emulateCommand(const EmulateOptions &options);
