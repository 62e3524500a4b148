// The pre-download check and the frame: the check never throws, says every
// refusal in words in both languages, and a curve that passes it gives a
// frame of exactly 127 values, 128 with the version flag. Its notes are
// told in both languages too; an advance noted as going out otherwise is
// one the check passes, and goes out as the half degree at or below it. The
// first byte sets the flag; the rest is a curve file, checked as the window
// holds it after loading it.
#include "core/check_notes.h"
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "core/number_text.h"
#include "fuzz_check.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool versionFlag = data[0] & 1;
    const QByteArray bytes = fuzzInput(data + 1, size - 1);
    const std::optional<CurveFileContents> file = readCurveFile(bytes);
    if (!file)
        return 0;
    const CurveTexts texts = fileDownload(file->texts).texts;
    QList<Refusal> refusals;
    try {
        refusals = downloadRefusals(texts, versionFlag);
    } catch (...) {
        FUZZ_CHECK(!"the check threw");
    }
    for (const Refusal &refusal : refusals) {
        FUZZ_CHECK(!refusalText(refusal).isEmpty());
        FUZZ_CHECK(!refusalText(refusal, hungarianRefusalWords()).isEmpty());
    }
    if (refusals.isEmpty())
        FUZZ_CHECK(BuildDownloadFrame(texts, versionFlag).size() == kFrameValues + (versionFlag ? 1 : 0));

    for (const CheckNote &note : curveFileNotes(bytes, file->variant) + advanceNotes(texts, versionFlag)) {
        FUZZ_CHECK(!checkNoteText(note).isEmpty());
        FUZZ_CHECK(!checkNoteText(note, hungarianNoteWords()).isEmpty());
        if (note.kind != CheckNote::Kind::OffStep)
            continue;
        FUZZ_CHECK(note.text == texts.rows[note.row - 1].advance);
        const double written = readNumber(note.text);
        const std::optional<double> sent = parseNumber(note.sent);
        FUZZ_CHECK(sent && *sent != written && *sent <= written && written - *sent < 0.5);
        FUZZ_CHECK(std::floor(*sent * 2) == *sent * 2);
    }
    return 0;
}
