#pragma once

#include "core/curve.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The module is programmed with one frame of one-byte values, each sent as
// the group v, 255, 255. There is no header, length or checksum, and nothing
// comes back: the values and their order are the whole protocol.
constexpr int kFrameValues = 127;  // without the options value
constexpr int kGroupBytes = 3;
constexpr char kFiller = static_cast<char>(0xFF);

// What a value of the frame holds.
enum class FrameSlot {
    Control,    // polarities: bit 7 rising input, bit 6 rising output
    Options,    // dwell correction x 16 + transparent ranges; version flag only
    Opening,    // steps of 0,0256 ms; 0 in the angle modes
    PeriodLow,  // the shift-light period, low byte
    Advance,    // half degrees
    Fixed,      // always 12
    Dwell,      // steps of the control mode
    PeriodHigh, // the shift-light period, high byte
    Pattern,    // the inhibit pattern
    Cylinders,  // cylinders x 16 + 15
};

// One value of the frame: what it holds, its table row (advances and
// patterns; row 60 comes first), and the bits that are always the same
// (value & fixedMask == fixedBits).
struct FramePlace {
    FrameSlot slot;
    int row = 0;
    quint8 fixedMask = 0;
    quint8 fixedBits = 0;
};

// The frame's layout, the one list that the builder and the reader of a
// received frame both follow: 127 places, or 128 with the options value
// second.
const QList<FramePlace> &frameLayout(bool versionFlag);

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

// The sha256 of the frame's line in lower-case hex: what igctool's download
// receipt and the curve card print, so a card can be matched to a download
// (and to `igctool frame --raw | sha256sum`).
QString frameDigest(const QByteArray &frame);
