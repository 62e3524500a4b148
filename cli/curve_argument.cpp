#include "cli/curve_argument.h"

#include "cli/commands.h"
#include "cli/files.h"
#include "cli/output.h"
#include "core/download_frame.h"
#include "core/tool_texts.h"

LoadedCurve loadCurve(const QString &argument)
{
    const QByteArray bytes = readInput(argument);
    const QString name = displayName(argument);
    if (std::optional<CurveFileContents> file = readCurveFile(bytes))
        return {name, bytes, *file};
    // What no first line "igc1" can be read from.
    const TextEncoding encoding = guessTextEncoding(bytes);
    if (encoding == TextEncoding::Utf8Bom || encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE)
        fail(ExitRefused, texts().notCurveEncoding.arg(name, encodingName(encoding)));
    fail(ExitRefused, texts().notCurveFile.arg(name));
}

CheckedCurve checkCurve(const QString &argument)
{
    CheckedCurve c{loadCurve(argument), {}, {}, {}, {}};
    c.download = fileDownload(c.curve.file.texts);
    c.refusals = downloadRefusals(c.download.texts, c.download.versionFlag);
    c.notes = curveFileNotes(c.curve.bytes, c.curve.file.variant) + advanceNotes(c.download.texts, c.download.versionFlag);
    if (c.refusals.isEmpty())
        c.frame = BuildDownloadFrame(c.download.texts, c.download.versionFlag);
    return c;
}

CheckedCurve checkedCurve(const QString &argument)
{
    CheckedCurve c = checkCurve(argument);
    for (const CheckNote &note : c.notes)
        inform(noteLine(c, note));
    for (const Refusal &refusal : c.refusals)
        complain(refusalLine(c, refusal));
    if (!c.refusals.isEmpty())
        throw ToolExit{ExitRefused};
    return c;
}

QString refusalLine(const CheckedCurve &c, const Refusal &refusal)
{
    return c.curve.name + QStringLiteral(": ") + refusalText(refusal, texts().refusal);
}

QString noteLine(const CheckedCurve &c, const CheckNote &note)
{
    return QStringLiteral("%1: %2%3").arg(c.curve.name, texts().note, checkNoteText(note, texts().notes));
}
