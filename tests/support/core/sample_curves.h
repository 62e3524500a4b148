#pragma once

#include "core/curve_texts.h"

#include <QByteArray>
#include <QStringList>

// A complete curve as the program writes it: 4 cylinders, shift light at
// 6500, opening 1 ms, dwell 3 ms, rising input edge, falling output, version
// 8,3, dwell correction 2, transparent ranges 3; row r has the speed
// 600 + 100 r, the advance r,5 (or the given advance text in every row) and
// the pattern 00000000 in odd rows, 10100000 in even ones.
CurveTexts sampleCurve(const QString &advance = QString());

// A curve every download check passes, with a frame worked out by hand: as
// sampleCurve, but shift light at 6000, version "0", transparent ranges 5,
// the default speeds, advance 10 and pattern 00000000 in every row.
CurveTexts exampleDownloadCurve();

// The example curve with changes written as "field=text". Fields:
// cylinders, shift, opening, dwell, in, out, version, corr, transp; rpm,
// advance and pattern set every row, rpmN, advanceN and patternN only row N.
CurveTexts exampleCurveWith(const QStringList &changes);

// Its frame as the module must get it, written out value by value; with the
// version flag, the options value 37 comes second.
QByteArray exampleDownloadFrame(bool versionFlag);

// The bytes on the line: every value followed by 255, 255.
QByteArray exampleDownloadLine(bool versionFlag);
