#pragma once

#include "core/curve.h"

#include <QByteArray>

// The module is programmed with one frame of one-byte values, each sent as
// the group v, 255, 255. There is no header, length or checksum, and nothing
// comes back: the values and their order are the whole protocol.
//
// Frame order (the options value only when the version flag is set):
//   control byte, [options], opening time, P low byte,
//   advances of rows 60 .. 1, 12, dwell, P high byte,
//   inhibit patterns of rows 60 .. 1, cylinders
constexpr int kFrameValues = 127;  // without the options value
constexpr int kGroupBytes = 3;

// The 127 values, or 128 with the version flag, in frame order. Meant for
// texts that pass CheckDownloadData (core/download_check.h); any other text
// still gives a frame of the right size, never undefined arithmetic.
QByteArray BuildDownloadFrame(const Curve &curve, bool versionFlag);

// The time between two ignitions at the shift-light speed, 120 / (cylinders
// x speed) seconds, in steps of 1.6 us, truncated; the frame carries its low
// 16 bits.
double shiftPeriod(const Curve &curve);

// The bytes one value occupies on the line: v, 255, 255.
QByteArray valueGroup(char value);
// The whole frame as it goes on the line, group after group.
QByteArray frameLine(const QByteArray &frame);
