#pragma once

#include <QString>
#include <QtGlobal>

// The serial line to the ignition module, with exactly the operations the
// program uses. The program owns one (TComm on a real port); tests put a
// recording one in its place.
//
// Open, InQueCount, Read and Close belong to the thread that made the line.
// While the port is open, SetBREAKState, Write, OutQueCount, Drain, Discard
// and LineError may be called from one other thread at a time (the download
// session's timing thread), never from two at once.
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
    // Hands the bytes to the system after every earlier one; false when it
    // refused them (the line failed or closed).
    virtual bool Write(const char *data, qint64 count) = 0;
    // How many bytes handed to Write the system still holds: those written
    // less these are on the line. -1 when the line cannot say (it failed).
    virtual qint64 OutQueCount() = 0;
    // Waits until every byte handed to Write has left; false when the line
    // failed before they had.
    virtual bool Drain() = 0;
    // Drops whatever the system still holds for sending.
    virtual void Discard() = 0;
    // Why the last of the calls above failed, in the system's words.
    virtual QString LineError() const = 0;
    // Waits until every byte handed to Write is on the line, then releases
    // the port.
    virtual void Close() = 0;
};
