// The pre-download check and the frame: the check never throws, says every
// refusal in words, and a curve that passes it gives a frame of exactly 127
// values, 128 with the version flag. The first byte sets the flag; the rest
// is a curve file, checked as the window holds it after loading it.
#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/download_frame.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool versionFlag = data[0] & 1;
    const std::optional<CurveFileContents> file = readCurveFile(fuzzInput(data + 1, size - 1));
    if (!file)
        return 0;
    const CurveTexts texts = fileDownload(file->texts).texts;
    QList<Refusal> refusals;
    try {
        refusals = downloadRefusals(texts, versionFlag);
    } catch (...) {
        FUZZ_CHECK(!"the check threw");
    }
    for (const Refusal &refusal : refusals)
        FUZZ_CHECK(!refusalText(refusal).isEmpty());
    if (refusals.isEmpty())
        FUZZ_CHECK(BuildDownloadFrame(texts, versionFlag).size() == kFrameValues + (versionFlag ? 1 : 0));
    return 0;
}
