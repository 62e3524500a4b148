// The pre-download check and the frame: the check never throws, and a curve
// that passes it gives a frame of exactly 127 values, 128 with the version
// flag. The first byte sets the flag; the rest is a curve file.
#include "core/curve_file.h"
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
    bool passes = false;
    try {
        passes = CheckDownloadData(file->texts, versionFlag);
    } catch (...) {
        FUZZ_CHECK(!"the check threw");
    }
    if (passes)
        FUZZ_CHECK(BuildDownloadFrame(file->texts, versionFlag).size() == kFrameValues + (versionFlag ? 1 : 0));
    return 0;
}
