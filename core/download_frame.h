#pragma once

#include "core/curve_texts.h"

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

// Whether the table and the parameters may be sent. The tests run in this
// order; the first that fails answers false:
//   speeds 600..18000, advances 0,5..63,5, patterns valid (all 60 rows);
//   shift-light speed 600..18000; in time mode opening 0,2..2;
//   dwell by mode (wide 50..510, narrow 160..200, time 0,5..10);
//   cylinders and both polarities chosen;
//   with the version flag, both option boxes chosen;
//   the shift-light period P fits the 16 bits the module reads
//   (cylinders x speed above 1144).
// Numbers are compared in single precision, bounds included; a text that is
// not a number reads as -1 and fails.
bool CheckDownloadData(const CurveTexts &texts, bool versionFlag);

// The 127 values, or 128 with the version flag, in frame order. Meant for
// texts that pass CheckDownloadData.
QByteArray BuildDownloadFrame(const CurveTexts &texts, bool versionFlag);

// The bytes one value occupies on the line: v, 255, 255.
QByteArray valueGroup(char value);
