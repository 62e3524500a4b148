#pragma once

#include <QByteArrayView>
#include <QString>

// What a text file is written in, as far as its bytes tell. Curve files are
// Windows-1250; a table from a spreadsheet may be UTF-8, Windows-1250 (a
// Hungarian Excel's "CSV") or UTF-16 (its "Unicode text").
enum class TextEncoding {
    Ascii,       // nothing beyond 7 bits: the same in all of them
    Windows1250, // 8-bit text that is not UTF-8
    Utf8,        // UTF-8 with letters beyond ASCII
    Utf8Bom,     // UTF-8 behind a byte order mark
    Utf16LE,     // behind its byte order mark, as spreadsheets write it, or
    Utf16BE,     // without it, told by the zero bytes of Latin letters
};

TextEncoding guessTextEncoding(QByteArrayView bytes);

// The text the bytes hold in that encoding; a byte order mark is dropped,
// and Windows-1250 and ASCII go through the curve files' fixed table.
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// Its name as users know it: "UTF-8", "UTF-16LE", "Windows-1250".
QString encodingName(TextEncoding encoding);
