#include "serial/download_sequence.h"

#include "core/download_frame.h"
#include "serial/serial_line.h"

#include <algorithm>

namespace {

// Only this many received bytes are taken at a time.
constexpr qint64 kDiscardBuffer = 4096;

// Stale bytes from the module are thrown away, however many there are.
void discardInput(SerialLine &comm)
{
    char scratch[kDiscardBuffer];
    while (comm.InQueCount() > 0) {
        const qint64 waiting = comm.InQueCount();
        if (comm.Read(scratch, std::min(waiting, kDiscardBuffer)) <= 0)
            break;
    }
}

} // namespace

bool beginDownload(SerialLine &comm)
{
    comm.Open();
    discardInput(comm);
    return comm.SetBREAKState(true);
}

qint32 finishDownload(SerialLine &comm, const QByteArray &frame)
{
    comm.SetBREAKState(false);
    // Only the groups the port took count, so a failed download can say how
    // many went out.
    qint32 sent = 0;
    for (const char value : frame) {
        if (comm.Write(valueGroup(value).constData(), kGroupBytes))
            ++sent;
    }
    comm.Close();
    return sent;
}

bool beginWakePulse(SerialLine &comm)
{
    comm.Open();
    return comm.SetBREAKState(true);
}

void endWakePulse(SerialLine &comm)
{
    comm.SetBREAKState(false);
    comm.Close();
}
