#pragma once

#include "core/check_notes.h"
#include "core/curve_file.h"
#include "core/download_check.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A curve file named on the command line, as the window loads it. Ends the
// command (ToolExit) when it cannot be read (ExitFile) or is no curve file
// (ExitRefused), with the reason said.
struct LoadedCurve {
    QString name; // as messages name it
    QByteArray bytes;
    CurveFileContents file;
};
LoadedCurve loadCurve(const QString &argument);

// The check the window runs before a download, and what it notes besides.
struct CheckedCurve {
    LoadedCurve curve;
    FileDownload download;
    QList<Refusal> refusals;
    QList<CheckNote> notes;
    QByteArray frame; // when nothing was refused
};
CheckedCurve checkCurve(const QString &argument);

// A curve for the commands that send it: its notes are said on stderr (not
// with --quiet), its refusals end the command with ExitRefused.
CheckedCurve checkedCurve(const QString &argument);

// "curve.igc: row 17: advance 70 is outside 0,5 – 63,5", and a note with
// "note: " after the name.
QString refusalLine(const CheckedCurve &checked, const Refusal &refusal);
QString noteLine(const CheckedCurve &checked, const CheckNote &note);
