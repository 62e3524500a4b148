// The CSV import: a table it takes, written out again and read back, gives
// the same rows; a table it refuses says why, line by line.
#include "core/curve_csv.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const CsvRows read = readCurveCsv(fuzzInput(data, size));
    for (const CsvProblem &problem : read.problems)
        FUZZ_CHECK(!csvProblemText(problem).isEmpty());
    if (!read.problems.isEmpty())
        return 0;
    CurveTexts curve;
    curve.rows = read.rows;
    const CsvRows again = readCurveCsv(writeCurveCsv(curve));
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(again.rows == read.rows);
    return 0;
}
