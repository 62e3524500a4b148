#include "core/check_notes.h"

#include "core/cell_rules.h"
#include "core/download_frame.h"
#include "core/number_text.h"
#include "core/win1250.h"

#include <algorithm>

QList<CheckNote> curveFileNotes(const QByteArray &bytes, CurveVariant variant)
{
    QList<CheckNote> notes;
    const TextEncoding encoding = guessTextEncoding(bytes);
    if (encoding != TextEncoding::Ascii && encoding != TextEncoding::Windows1250) {
        const qsizetype at = std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })
            - bytes.begin();
        const qsizetype start = bytes.lastIndexOf('\n', at) + 1;
        const qsizetype end = bytes.indexOf('\n', at);
        QByteArray line = bytes.mid(start, end < 0 ? -1 : end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        line.truncate(kCurveFieldChars);
        notes << CheckNote{.kind = CheckNote::Kind::OtherEncoding, .line = int(bytes.left(at).count('\n') + 1),
                           .text = decodeWin1250(line), .encoding = encoding};
    }
    const int lines = int(bytes.count('\n')) + (bytes.isEmpty() || bytes.endsWith('\n') ? 0 : 1);
    const int whole = variant == CurveVariant::Igc1 ? kIgc1Lines : kIgcLines;
    if (lines < whole)
        notes << CheckNote{.kind = CheckNote::Kind::EndsEarly, .line = lines, .whole = whole};
    return notes;
}

QList<CheckNote> advanceNotes(const CurveTexts &texts, bool versionFlag)
{
    QList<CheckNote> notes;
    const QByteArray frame = BuildDownloadFrame(texts, versionFlag);
    const QList<FramePlace> &layout = frameLayout(versionFlag);
    for (qsizetype i = 0; i < layout.size(); ++i) {
        if (layout[i].slot != FrameSlot::Advance)
            continue;
        const QString &advance = texts.rows[layout[i].row - 1].advance;
        const double sent = static_cast<quint8>(frame[i]) / 2.0;
        if (isValidCell(Col::Advance, advance) && readNumber(advance) != sent)
            notes << CheckNote{.kind = CheckNote::Kind::OffStep, .row = layout[i].row, .text = advance, .sent = decimalText(sent, 1)};
    }
    // In table order; the frame runs from row 60.
    std::reverse(notes.begin(), notes.end());
    return notes;
}

const NoteWords &englishNoteWords()
{
    static const NoteWords words{
        QStringLiteral("row %1: %2 goes out as %3"),
        QStringLiteral("the file ends after line %1 of %2: the lines after it read as empty"),
        QStringLiteral("%1 text, not Windows-1250: line %2 reads \"%3\""),
    };
    return words;
}

const NoteWords &hungarianNoteWords()
{
    static const NoteWords words{
        QStringLiteral("%1. sor: %2 helyett %3 megy ki"),
        QStringLiteral("az állomány %2 sor helyett %1 sor után véget ér: a hiányzó sorok üresek"),
        QStringLiteral("%1 szöveg, nem Windows-1250: a(z) %2. sor így olvasható: \"%3\""),
    };
    return words;
}

QString checkNoteText(const CheckNote &note, const NoteWords &words)
{
    switch (note.kind) {
    case CheckNote::Kind::OffStep:
        return words.offStep.arg(QString::number(note.row), note.text, note.sent);
    case CheckNote::Kind::EndsEarly:
        return words.endsEarly.arg(QString::number(note.line), QString::number(note.whole));
    case CheckNote::Kind::OtherEncoding:
        break;
    }
    return words.otherEncoding.arg(encodingName(note.encoding), QString::number(note.line), note.text);
}
