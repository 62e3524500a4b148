#include "core/curve_csv.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

using Kind = CsvProblem::Kind;

constexpr std::array<int, 3> kTableColumns = {Col::Rpm, Col::Advance, Col::Pattern};

QString csvCell(QString text)
{
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')))
        return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return text;
}

QString withPoint(QString number)
{
    return number.replace(QLatin1Char(','), QLatin1Char('.'));
}

QString withComma(QString number)
{
    return number.replace(QLatin1Char('.'), QLatin1Char(','));
}

struct Line {
    int number;
    QString text;
};

// CR LF, LF and CR alone each end a line.
QList<Line> splitLines(const QString &text)
{
    QList<Line> lines;
    int number = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append({number++, text.mid(start, i - start)});
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append({number, text.mid(start)});
    return lines;
}

// One line's cells, blanks around each dropped. A cell that starts with a
// quote (after blanks) runs to the closing quote and may hold the
// separator; "" inside it stands for one quote.
QStringList splitCells(const QString &line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                cell += line[++i];
            else
                quoted = false;
        } else if (c == separator) {
            cells << cell.trimmed();
            cell.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('"') && !wasQuoted && cell.trimmed().isEmpty()) {
            quoted = wasQuoted = true;
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells << cell.trimmed();
    return cells;
}

// The first of tab, semicolon and comma that the line has outside quotes.
QChar separatorOf(const QString &line)
{
    bool quoted = false;
    bool found[3] = {};
    const QChar candidates[3] = {QLatin1Char('\t'), QLatin1Char(';'), QLatin1Char(',')};
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        for (int k = 0; k < 3 && !quoted; ++k)
            found[k] = found[k] || c == candidates[k];
    }
    for (int k = 0; k < 3; ++k) {
        if (found[k])
            return candidates[k];
    }
    return QLatin1Char(',');
}

// The titles a first line may give a column: ours, the window's grid
// headers in English and in Hungarian, and the words a user would write.
std::optional<int> titleColumn(const QString &title)
{
    static const QList<std::pair<QString, int>> titles = {
        {QStringLiteral("#"), Col::Number},
        {QStringLiteral("row"), Col::Number},
        {QStringLiteral("sor"), Col::Number},
        {QStringLiteral("rpm"), Col::Rpm},
        {QStringLiteral("speed"), Col::Rpm},
        {QStringLiteral("ford.szám"), Col::Rpm},
        {QStringLiteral("fordulatszám"), Col::Rpm},
        {QStringLiteral("advance"), Col::Advance},
        {QStringLiteral("ign. advance"), Col::Advance},
        {QStringLiteral("előgyújtás"), Col::Advance},
        {QStringLiteral("előgyujtás"), Col::Advance},
        {QStringLiteral("pattern"), Col::Pattern},
        {QStringLiteral("inh. pattern"), Col::Pattern},
        {QStringLiteral("inhibit pattern"), Col::Pattern},
        {QStringLiteral("tiltás"), Col::Pattern},
    };
    const QString key = title.simplified().toLower();
    for (const auto &[text, column] : titles) {
        if (text == key)
            return column;
    }
    return std::nullopt;
}

// A first line without a digit holds titles, not a row.
bool isTitleLine(const QStringList &cells)
{
    return std::none_of(cells.begin(), cells.end(), [](const QString &cell) {
        return std::any_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit(); });
    });
}

// A spreadsheet reads 00000101 as the number 101.
QString patternText(const QString &cell)
{
    static const QRegularExpression shortened(QStringLiteral("^[01]{1,7}$"));
    return shortened.match(cell).hasMatch() ? cell.rightJustified(8, QLatin1Char('0')) : cell;
}

// Where each of the table's columns stands in a line (index by Col), and
// how many cells a row takes.
struct Columns {
    std::array<qsizetype, 4> at = {-1, 0, 1, 2};
    qsizetype width = 3;
};

Columns readTitles(const Line &line, const QStringList &cells, QList<CsvProblem> &problems)
{
    Columns columns;
    columns.at = {-1, -1, -1, -1};
    columns.width = cells.size();
    const qsizetype before = problems.size();
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (cells[c].isEmpty())
            continue;
        const std::optional<int> column = titleColumn(cells[c]);
        if (!column)
            problems << CsvProblem{.kind = Kind::UnknownTitle, .line = line.number, .column = int(c + 1), .text = cells[c]};
        else if (columns.at[*column] >= 0)
            problems << CsvProblem{.kind = Kind::SecondTitle, .line = line.number, .column = int(c + 1), .text = cells[c]};
        else
            columns.at[*column] = c;
    }
    if (problems.size() > before)
        return columns;
    static const CurveField fields[] = {CurveField::Rpm, CurveField::Advance, CurveField::Pattern};
    for (const int column : kTableColumns) {
        if (columns.at[column] < 0)
            problems << CsvProblem{.kind = Kind::MissingColumn, .line = line.number, .cell = Refusal{fields[column - 1], {}, 0, {}}};
    }
    // Empty titles after the last column add no column.
    while (columns.width > 0 && cells[columns.width - 1].isEmpty())
        --columns.width;
    return columns;
}

void readRow(const Line &line, const QStringList &cells, const Columns &columns, int row, QChar separator, CsvRows &result)
{
    if (cells.size() < columns.width) {
        result.problems << CsvProblem{.kind = Kind::TooFewCells, .line = line.number, .count = int(cells.size()),
                                      .needed = int(columns.width)};
        return;
    }
    for (qsizetype c = columns.width; c < cells.size(); ++c) {
        if (!cells[c].isEmpty()) {
            result.problems << CsvProblem{.kind = Kind::TooManyCells, .line = line.number, .column = int(c + 1),
                                          .needed = int(columns.width), .text = cells[c],
                                          .commas = separator == QLatin1Char(',')};
            return;
        }
    }
    const auto cell = [&](int column) { return cells[columns.at[column]]; };
    const RowTexts texts{withComma(cell(Col::Rpm)), withComma(cell(Col::Advance)), patternText(cell(Col::Pattern))};
    const QString read[] = {texts.rpm, texts.advance, texts.pattern};
    for (const int column : kTableColumns) {
        if (std::optional<Refusal> refusal = cellRefusal(column, row, read[column - 1])) {
            refusal->text = cell(column); // as the user wrote it
            result.problems << CsvProblem{.kind = Kind::Cell, .line = line.number, .column = int(columns.at[column] + 1),
                                          .cell = *refusal};
        }
    }
    if (row <= kCurveRows)
        result.rows[row - 1] = texts;
}

// Spreadsheet column names: A to Z, then AA.
QString columnLetters(int column)
{
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

} // namespace

QByteArray writeCurveCsv(const CurveTexts &texts)
{
    QString csv = QStringLiteral("rpm,advance,pattern\n");
    for (const RowTexts &row : texts.rows)
        csv += QStringList{csvCell(withPoint(row.rpm)), csvCell(withPoint(row.advance)), csvCell(row.pattern)}.join(QLatin1Char(','))
            + QLatin1Char('\n');
    return csv.toUtf8();
}

CsvRows readCurveCsv(const QByteArray &bytes)
{
    CsvRows result;
    result.encoding = guessTextEncoding(bytes);
    const QList<Line> lines = splitLines(decodeText(bytes, result.encoding));
    const auto first = std::find_if(lines.begin(), lines.end(), [](const Line &l) { return !l.text.trimmed().isEmpty(); });
    if (first != lines.end())
        result.separator = separatorOf(first->text);

    QList<std::pair<Line, QStringList>> filled; // the lines with a cell that is not empty
    for (const Line &line : lines) {
        const QStringList cells = splitCells(line.text, result.separator);
        if (std::any_of(cells.begin(), cells.end(), [](const QString &cell) { return !cell.isEmpty(); }))
            filled.append({line, cells});
    }

    Columns columns;
    if (!filled.isEmpty() && isTitleLine(filled.first().second)) {
        result.titled = true;
        const auto [line, cells] = filled.takeFirst();
        const qsizetype before = result.problems.size();
        columns = readTitles(line, cells, result.problems);
        if (result.problems.size() > before)
            return result;
    }
    if (filled.size() != kCurveRows)
        result.problems << CsvProblem{.kind = Kind::RowCount, .count = int(filled.size())};
    for (qsizetype r = 0; r < filled.size(); ++r)
        readRow(filled[r].first, filled[r].second, columns, int(r + 1), result.separator, result);
    return result;
}

const CsvWords &englishCsvWords()
{
    static const CsvWords words{
        QStringLiteral("the table has %1 rows, it needs exactly %2"),
        QStringLiteral("line %1: %2 cells, a row needs %3 (%4)"),
        QStringLiteral("line %1, column %2: \"%3\" is beyond the table's %4 columns"),
        QStringLiteral("; a decimal comma needs semicolons between the cells, or quotes around the number"),
        QStringLiteral("line %1, column %2 (row %3): %4"),
        QStringLiteral("line %1, column %2: \"%3\" is no column title (%4)"),
        QStringLiteral("line %1, column %2: a second column titled \"%3\""),
        QStringLiteral("line %1: the titles name no %2 column"),
        QStringLiteral("rpm, advance, pattern"),
        QStringLiteral("and %1 more"),
        englishRefusalWords(),
    };
    return words;
}

const CsvWords &hungarianCsvWords()
{
    static const CsvWords words{
        QStringLiteral("a táblázatnak %1 sora van, pontosan %2 kell"),
        QStringLiteral("%1. sor: %2 cella, egy sorhoz %3 kell (%4)"),
        QStringLiteral("%1. sor, %2 oszlop: \"%3\" a táblázat %4 oszlopán kívül esik"),
        QStringLiteral("; tizedesvesszőnél pontosvessző kell a cellák közé, vagy idézőjel a szám köré"),
        QStringLiteral("%1. sor, %2 oszlop (a görbe %3. sora): %4"),
        QStringLiteral("%1. sor, %2 oszlop: \"%3\" nem oszlopcím (%4)"),
        QStringLiteral("%1. sor, %2 oszlop: második \"%3\" oszlop"),
        QStringLiteral("%1. sor: a címek között nincs %2 oszlop"),
        QStringLiteral("Ford.szám, Előgyújtás, Tiltás"),
        QStringLiteral("és még %1"),
        hungarianRefusalWords(),
    };
    return words;
}

QString csvProblemText(const CsvProblem &p, const CsvWords &words)
{
    // One pass of arg(): a cell's own text may hold "%1".
    const QString line = QString::number(p.line);
    const QString column = columnLetters(p.column);
    switch (p.kind) {
    case Kind::RowCount:
        return words.rowCount.arg(QString::number(p.count), QString::number(kCurveRows));
    case Kind::TooFewCells:
        return words.tooFewCells.arg(line, QString::number(p.count), QString::number(p.needed), words.columnNames);
    case Kind::TooManyCells:
        return words.tooManyCells.arg(line, column, p.text, QString::number(p.needed))
            + (p.commas ? words.decimalComma : QString());
    case Kind::UnknownTitle:
        return words.unknownTitle.arg(line, column, p.text, words.columnNames);
    case Kind::SecondTitle:
        return words.secondTitle.arg(line, column, p.text);
    case Kind::MissingColumn:
        return words.missingColumn.arg(line, words.refusal.fields[static_cast<std::size_t>(p.cell.field)]);
    case Kind::Cell:
        break;
    }
    Refusal reason = p.cell;
    reason.row = 0; // the line names it
    return words.cell.arg(line, column, QString::number(p.cell.row), refusalText(reason, words.refusal));
}

QStringList csvProblemTexts(const QList<CsvProblem> &problems, const CsvWords &words)
{
    QStringList texts;
    for (qsizetype i = 0; i < std::min<qsizetype>(problems.size(), kListedProblems); ++i)
        texts << csvProblemText(problems[i], words);
    if (problems.size() > kListedProblems)
        texts << words.andMore.arg(problems.size() - kListedProblems);
    return texts;
}
