// The CSV import: a table it takes reads back to the same rows when written
// out again, by export or in any of the forms spreadsheets write (the
// input's first byte picks the encoding, separator, line ends, titles and
// blanks); a table it refuses says why in both languages, line by line, and
// a user reads at most ten problems and how many more.
#include "core/curve_csv.h"
#include "core/win1250.h"
#include "fuzz_check.h"

#include <QStringEncoder>
#include <algorithm>

namespace {

struct Form {
    int encoding;  // UTF-8, UTF-8 with BOM, Windows-1250, UTF-16LE, UTF-16BE, both without BOM
    int separator; // tab, semicolon, comma
    int lineEnd;   // CR LF, LF, CR
    int titles;    // none, ours, the window's English, the window's Hungarian, with a # column
    bool blanks;   // a space after each separator
    bool point;    // decimal point instead of comma
    bool emptyColumns; // ";;" after each line
};

Form formOf(std::uint8_t a, std::uint8_t b)
{
    return {a % 7, (a / 7) % 3, (a / 21) % 3, b % 5, bool(b & 8), bool(b & 16), bool(b & 32)};
}

QByteArray written(const std::array<RowTexts, kCurveRows> &rows, const Form &f)
{
    const QChar between = QStringLiteral("\t;,")[f.separator];
    const QString separator = between + QString(f.blanks ? " " : "");
    const QString end = QStringList{"\r\n", "\n", "\r"}[f.lineEnd];
    const QString tail = f.emptyColumns ? separator + separator : QString();
    const QStringList titles[] = {{},
                                  {"rpm", "advance", "pattern"},
                                  {"RPM", "Ign. Advance", "Inh. Pattern"},
                                  {"Ford.szám", "Előgyújtás", "Tiltás"},
                                  {"#", "Tiltás", "rpm", "Előgyújtás"}};
    const auto number = [&](QString text) {
        if (f.point)
            text.replace(',', '.');
        return text.contains(between) ? '"' + text + '"' : text;
    };
    QString text = titles[f.titles].isEmpty() ? QString() : titles[f.titles].join(separator) + tail + end;
    for (int r = 0; r < kCurveRows; ++r) {
        const RowTexts &row = rows[r];
        const QStringList cells = f.titles == 4
            ? QStringList{QString::number(r + 1), row.pattern, number(row.rpm), number(row.advance)}
            : QStringList{number(row.rpm), number(row.advance), row.pattern};
        text += cells.join(separator) + tail + end;
    }
    switch (f.encoding) {
    case 0: return text.toUtf8();
    case 1: return "\xEF\xBB\xBF" + text.toUtf8();
    case 2: return encodeWin1250(text);
    case 3: return QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom).encode(text);
    case 4: return QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom).encode(text);
    case 5: return QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    default: break;
    }
    return QStringEncoder(QStringEncoder::Utf16BE).encode(text);
}

bool isLatin(const std::array<RowTexts, kCurveRows> &rows)
{
    return std::all_of(rows.begin(), rows.end(), [](const RowTexts &row) {
        const QString all = row.rpm + row.advance + row.pattern;
        return std::all_of(all.begin(), all.end(), [](QChar c) { return c.unicode() < 0x80; });
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const CsvRows read = readCurveCsv(fuzzInput(data, size));
    for (const CsvProblem &problem : read.problems) {
        FUZZ_CHECK(!csvProblemText(problem, englishCsvWords()).isEmpty());
        FUZZ_CHECK(!csvProblemText(problem, hungarianCsvWords()).isEmpty());
    }
    const QStringList listed = csvProblemTexts(read.problems);
    FUZZ_CHECK(listed.size() == std::min<qsizetype>(read.problems.size(), kListedProblems + 1));
    if (!read.problems.isEmpty())
        return 0;

    CurveTexts curve;
    curve.rows = read.rows;
    const CsvRows again = readCurveCsv(writeCurveCsv(curve));
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(again.rows == read.rows);

    Form form = formOf(size > 0 ? data[0] : 0, size > 1 ? data[1] : 0);
    if (form.encoding == 2 && !isLatin(read.rows))
        form.encoding = 0;
    const CsvRows spreadsheet = readCurveCsv(written(read.rows, form));
    FUZZ_CHECK(spreadsheet.problems.isEmpty());
    FUZZ_CHECK(spreadsheet.rows == read.rows);
    return 0;
}
