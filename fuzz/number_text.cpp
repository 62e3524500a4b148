// The number texts: a number read, written back with the comma and read
// again, is the same; whatever is not one reads as -1 and converts only to
// the platform's error; a version's text reads back as the same version.
#include "core/number_text.h"
#include "core/platform_error.h"
#include "fuzz_check.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzInput(data, size));
    const std::optional<double> value = parseNumber(text);
    FUZZ_CHECK(readNumber(text) == value.value_or(-1.0));
    if (value) {
        FUZZ_CHECK(std::isfinite(*value));
        FUZZ_CHECK(convertNumber(text) == *value);
        const QString written = QString::number(*value, 'g', 17).replace(QLatin1Char('.'), QLatin1Char(','));
        FUZZ_CHECK(parseNumber(written) == value);
    } else {
        bool raised = false;
        try {
            convertNumber(text);
        } catch (const PlatformError &) {
            raised = true;
        }
        FUZZ_CHECK(raised);
    }

    // A double holds the version exactly up to about 1e11; beyond that no
    // firmware will ever go.
    const std::int64_t version = parseVersion(text, -1);
    if (std::llabs(version) < std::int64_t(1'000'000'000'000'000))
        FUZZ_CHECK(parseVersion(versionText(version), -2) == version);
    return 0;
}
