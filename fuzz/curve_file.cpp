// The curve reader: whatever it reads, written back and read again, is the
// same, and writing it is stable.
#include "core/curve_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<CurveFileContents> file = readCurveFile(fuzzInput(data, size));
    if (!file)
        return 0;
    const QByteArray written = writeCurveFile(file->texts);
    const std::optional<CurveFileContents> again = readCurveFile(written);
    FUZZ_CHECK(again && again->variant == CurveVariant::Igc1);
    FUZZ_CHECK(again->texts == file->texts);
    FUZZ_CHECK(writeCurveFile(again->texts) == written);
    return 0;
}
