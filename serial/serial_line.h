#pragma once

#include <QString>
#include <QtGlobal>

// The serial line to the ignition module, with exactly the operations the
// program uses. The program owns one (TComm on a real port); tests put a
// recording one in its place.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    // "Com" and the port number ("Com3"); the next Open uses that port.
    virtual void SetDeviceName(const QString &name) = 0;
    // Opens the port for sending at 2400 baud. A port that cannot be opened
    // raises PlatformError saying which port, which device and why, and
    // leaves nothing open.
    virtual void Open() = 0;
    // How many received bytes wait to be read.
    virtual qint64 InQueCount() = 0;
    // Removes up to `count` received bytes into `buffer`; how many it took.
    virtual qint64 Read(char *buffer, qint64 count) = 0;
    // true holds the transmit line in BREAK until false ends it; false when
    // the port refused.
    virtual bool SetBREAKState(bool on) = 0;
    // Sends the bytes after every earlier one; false when the port reports
    // that they failed.
    virtual bool Write(const char *data, qint64 count) = 0;
    // Waits until every byte handed to Write is on the line, then releases
    // the port.
    virtual void Close() = 0;
};
