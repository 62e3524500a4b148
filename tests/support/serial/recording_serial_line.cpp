#include "recording_serial_line.h"

#include "core/platform_error.h"

#include <algorithm>

QStringList RecordingSerialLine::names() const
{
    QStringList found;
    for (const Call &call : calls)
        found << call.name;
    return found;
}

qint64 RecordingSerialLine::timeOf(const QString &name, int n) const
{
    for (const Call &call : calls) {
        if (call.name == name && n-- == 0)
            return call.ns;
    }
    return -1;
}

QByteArray RecordingSerialLine::written() const
{
    QByteArray bytes;
    for (const Call &call : calls)
        bytes += call.data;
    return bytes;
}

void RecordingSerialLine::record(const QString &name, const QByteArray &data)
{
    const std::lock_guard lock(mutex_);
    calls << Call{name, clock_.nsecsElapsed(), data};
}

void RecordingSerialLine::SetDeviceName(const QString &name)
{
    record(QStringLiteral("SetDeviceName(%1)").arg(name));
    deviceName = name;
}

void RecordingSerialLine::Open()
{
    record(QStringLiteral("Open"));
    if (openFailure)
        throw PlatformError(*openFailure);
    if (openDiagnosis)
        throw PortOpenError(*openDiagnosis);
    isOpen = true;
    writes_ = 0;
    failed_ = false;
}

qint64 RecordingSerialLine::InQueCount()
{
    record(QStringLiteral("InQueCount"));
    return backlog;
}

qint64 RecordingSerialLine::Read(char *buffer, qint64 count)
{
    record(QStringLiteral("Read(%1)").arg(count));
    const qint64 taken = std::min(count, backlog);
    std::fill_n(buffer, taken, '\0');
    backlog -= taken;
    return taken;
}

bool RecordingSerialLine::SetBREAKState(bool on)
{
    record(on ? QStringLiteral("SetBREAKState(true)") : QStringLiteral("SetBREAKState(false)"));
    return true;
}

bool RecordingSerialLine::Write(const char *data, qint64 count)
{
    const bool fails = failingWrites.contains(writes_++);
    failed_ = failed_ || fails;
    record(QStringLiteral("Write"), fails ? QByteArray() : QByteArray(data, count));
    return !fails;
}

qint64 RecordingSerialLine::OutQueCount()
{
    return failed_ ? heldAfterFailure : stuckBytes;
}

bool RecordingSerialLine::Drain()
{
    if (onDrain)
        onDrain();
    record(QStringLiteral("Drain"));
    failed_ = failed_ || drainFails;
    return !drainFails;
}

void RecordingSerialLine::Discard()
{
    record(QStringLiteral("Discard"));
}

QString RecordingSerialLine::LineError() const
{
    return failed_ ? QStringLiteral("Input/output error") : QString();
}

void RecordingSerialLine::Close()
{
    record(QStringLiteral("Close"));
    isOpen = false;
}
