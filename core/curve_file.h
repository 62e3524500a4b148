#pragma once

#include "core/curve_texts.h"

#include <QByteArray>
#include <optional>

// Curve files are positional text, one value per line, CR LF after every
// line, Windows-1250 on disk. "igc1" files (190 lines) are written and read;
// the older "igc" files (187 lines) lack the version, dwell correction and
// transparent-range lines and are only read.
enum class CurveVariant { Igc, Igc1 };
constexpr int kIgc1Lines = 190;
constexpr int kIgcLines = 187;
// A reader keeps this many characters of a line.
constexpr qsizetype kCurveFieldChars = 79;

struct CurveFileContents {
    CurveVariant variant;
    CurveTexts texts; // for "igc" the three missing lines read "0"
};

// The 190 lines of an "igc1" file.
QByteArray writeCurveFile(const CurveTexts &texts);

// Reads a curve file; nullopt when its first line is neither "igc" nor "igc1"
// (letter case counts). A line ends at LF, and a CR right before it is
// dropped. Each line is one field: only its first 79 characters are kept and
// the rest is skipped, and lines missing at the end of a short file read as
// empty texts.
std::optional<CurveFileContents> readCurveFile(const QByteArray &bytes);
