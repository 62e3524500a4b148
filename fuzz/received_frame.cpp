// A line igctool emulate received: an accepted one is exactly its values'
// groups, and the curve file rebuilt from it gives the same frame again; a
// refused one says why.
#include "core/curve_file.h"
#include "core/received_frame.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray line = fuzzInput(data, size);
    const auto reading = readDownloadLine(line);
    if (const FrameFault *fault = std::get_if<FrameFault>(&reading)) {
        FUZZ_CHECK(!frameFaultText(*fault).isEmpty());
        return 0;
    }
    const ReceivedFrame &frame = std::get<ReceivedFrame>(reading);
    FUZZ_CHECK(frameLine(frame.values) == line);
    const std::optional<RebuiltCurve> curve = rebuildCurve(frame, std::nullopt);
    if (!curve) {
        FUZZ_CHECK(frame.cylinders == 0 && frame.period != 0);
        return 0;
    }
    const std::optional<CurveFileContents> file = readCurveFile(writeCurveFile(curve->texts));
    FUZZ_CHECK(file && curveFileFrame(file->texts) == frame.values);
    return 0;
}
