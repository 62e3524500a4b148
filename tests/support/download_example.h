#pragma once

#include "table/curve_texts.h"

#include <QByteArray>

// A curve every download check passes: 4 cylinders, shift light at 6000,
// opening 1 ms, dwell 3 ms, rising input edge, falling output, advance 10
// and pattern 00000000 in every row, version "0", dwell correction 2 and
// transparent ranges 5.
CurveTexts exampleDownloadCurve();

// Its frame as the module must get it, written out value by value; with the
// version flag, the options value 37 comes second.
QByteArray exampleDownloadFrame(bool versionFlag);

// The bytes on the line: every value followed by 255, 255.
QByteArray exampleDownloadLine(bool versionFlag);
