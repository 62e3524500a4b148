#pragma once

#include "serial/port_doctor.h"
#include "serial/serial_line.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>
#include <mutex>
#include <optional>

// A serial line that records every call with the time it was made, for
// checking what the window does with the line and when. The download
// session calls it from its timing thread too: read the record once the
// session has released the port.
class RecordingSerialLine : public SerialLine {
public:
    struct Call {
        QString name;   // "Open", "SetBREAKState(true)", "Write", "Read(4096)" ...
        qint64 ns;      // since the line was made
        QByteArray data; // the bytes of a Write
    };

    RecordingSerialLine() { clock_.start(); }

    QList<Call> calls;
    // The calls' names in order.
    QStringList names() const;
    // The time of the n-th call with that name (0 for the first); -1 when
    // there is none.
    qint64 timeOf(const QString &name, int n = 0) const;
    // The bytes of every Write that succeeded, in order.
    QByteArray written() const;

    // What the line does.
    qint64 backlog = 0;                  // received bytes waiting
    std::optional<QString> openFailure;  // Open raises PlatformError with this
    std::optional<PortDiagnosis> openDiagnosis; // Open raises PortOpenError with this
    QSet<int> failingWrites;             // Write calls (counted from 0) that fail
    bool drainFails = false;             // Drain reports a failed line
    qint64 stuckBytes = 0;               // what OutQueCount says while the line works: never 0 for a line that stopped
    qint64 heldAfterFailure = 0;         // what OutQueCount says once a Write or Drain failed
    std::function<void()> onDrain;       // runs inside Drain, on the session's timing thread

    QString deviceName;
    bool isOpen = false;

    void SetDeviceName(const QString &name) override;
    void Open() override;
    qint64 InQueCount() override;
    qint64 Read(char *buffer, qint64 count) override;
    bool SetBREAKState(bool on) override;
    bool Write(const char *data, qint64 count) override;
    qint64 OutQueCount() override;
    bool Drain() override;
    void Discard() override;
    QString LineError() const override;
    void Close() override;

private:
    void record(const QString &name, const QByteArray &data = QByteArray());

    QElapsedTimer clock_;
    std::mutex mutex_;
    int writes_ = 0;
    bool failed_ = false;
};
