#pragma once

#include "core/curve_file.h"
#include "core/text_encoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the check tells besides its refusals: what does not stop a download
// but makes it differ from what the file seems to say.
struct CheckNote {
    enum class Kind {
        OffStep,       // an advance between the frame's half degrees
        EndsEarly,     // a file shorter than its variant: the missing lines read as empty
        OtherEncoding, // the letters beyond ASCII are not Windows-1250
    };
    Kind kind;
    int row = 0;   // OffStep: the table row
    int line = 0;  // EndsEarly: the lines the file has; OtherEncoding: the first line that reads otherwise
    int whole = 0; // EndsEarly: the lines of the variant
    QString text{}; // OffStep: the advance as written; OtherEncoding: that line as the window reads it
    QString sent{}; // OffStep: the advance the module gets
    TextEncoding encoding = TextEncoding::Windows1250;
};

// What a curve file's bytes tell: its length against its variant's, and an
// encoding other than Windows-1250 (UTF-8 from an editor, say).
QList<CheckNote> curveFileNotes(const QByteArray &bytes, CurveVariant variant);

// Each advance that passes the check but reaches the module otherwise than
// written: the frame carries half degrees, cut toward zero (10,99 goes out
// as 10,5).
QList<CheckNote> advanceNotes(const CurveTexts &texts, bool versionFlag);

struct NoteWords {
    QString offStep;       // %1 row, %2 as written, %3 as sent
    QString endsEarly;     // %1 lines, %2 of the variant
    QString otherEncoding; // %1 the encoding, %2 the line, %3 its text
};
const NoteWords &englishNoteWords();
const NoteWords &hungarianNoteWords();

// "row 10: 10,99 goes out as 10,5".
QString checkNoteText(const CheckNote &note, const NoteWords &words = englishNoteWords());
