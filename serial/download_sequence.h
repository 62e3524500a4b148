#pragma once

#include <QByteArray>
#include <QtGlobal>

class SerialLine;

// The order of things on the line for a download and for the wake pulse,
// the same for the window and for igctool.

// How long the BREAK before the frame, and the wake pulse, hold the line.
constexpr int kDownloadBreakMs = 500;
constexpr int kWakePulseMs = 1500;

// Opens the port, throws away whatever the module sent and raises BREAK,
// which the module takes as the start of a download. False when the port
// refused the BREAK.
bool beginDownload(SerialLine &comm);

// Ends the BREAK, hands every group of the frame to the port at once, in
// frame order with nothing between them, and closes the port when every byte
// is on the line. Gives the number of groups the port took. An empty frame
// only ends the BREAK and closes the port.
qint32 finishDownload(SerialLine &comm, const QByteArray &frame);

// The wake pulse: BREAK without data. False when the port refused it.
bool beginWakePulse(SerialLine &comm);
void endWakePulse(SerialLine &comm);
