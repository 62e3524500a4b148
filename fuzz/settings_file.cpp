// The settings file's lines and Windows-1250: every byte survives a round
// trip, the lines read, written back and read again are the same, and a
// line update changes the one line it names and no other.
#include "core/app_settings.h"
#include "core/win1250.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    FUZZ_CHECK(encodeWin1250(decodeWin1250(bytes)) == bytes);

    const QStringList lines = splitSettingsLines(bytes);
    FUZZ_CHECK(splitSettingsLines(joinSettingsLines(lines)) == lines);

    for (int index = 0; index <= 4; ++index) {
        const QStringList updated = updateSettingsLine(lines, index, QStringLiteral("7"), true);
        const bool changes = index <= lines.size();
        FUZZ_CHECK(updated.size() == (index == lines.size() ? lines.size() + 1 : lines.size()));
        for (int i = 0; i < updated.size(); ++i)
            FUZZ_CHECK(updated[i] == (changes && i == index ? QStringLiteral("7") : lines[i]));
    }
    return 0;
}
