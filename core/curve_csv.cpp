#include "core/curve_csv.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kColumns = 3;

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

// One line's cells; a quoted cell may hold the separator, and "" stands for
// one quote inside it.
QStringList splitCells(const QString &line, QChar separator)
{
    QStringList cells(1);
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            cells.last() += c;
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            cells << QString();
        } else {
            cells.last() += c;
        }
    }
    return cells;
}

// A spreadsheet reads 00000101 as the number 101.
QString patternText(const QString &cell)
{
    static const QRegularExpression shortened(QStringLiteral("^[01]{1,7}$"));
    return shortened.match(cell).hasMatch() ? cell.rightJustified(8, QLatin1Char('0')) : cell;
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
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<std::pair<int, QString>> lines; // the line number and its text, blank lines left out
    const QStringList all = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < all.size(); ++i) {
        QString line = all[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append({int(i + 1), line});
    }

    const QChar separator = !lines.isEmpty() && lines.first().second.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    if (!lines.isEmpty() && splitCells(lines.first().second, separator).first().trimmed().compare(QLatin1String("rpm"), Qt::CaseInsensitive) == 0)
        lines.removeFirst();

    CsvRows result;
    if (lines.size() != kCurveRows)
        result.problems << CsvProblem{CsvProblem::Kind::RowCount, 0, int(lines.size())};
    for (qsizetype r = 0; r < lines.size(); ++r) {
        const auto &[number, line] = lines[r];
        const QStringList cells = splitCells(line, separator);
        if (cells.size() != kColumns) {
            result.problems << CsvProblem{CsvProblem::Kind::CellCount, number, int(cells.size())};
            continue;
        }
        const RowTexts row{withComma(cells[0]), withComma(cells[1]), patternText(cells[2])};
        const QString texts[] = {row.rpm, row.advance, row.pattern};
        for (const int column : {Col::Rpm, Col::Advance, Col::Pattern}) {
            if (std::optional<Refusal> refusal = cellRefusal(column, int(r + 1), texts[column - 1])) {
                refusal->text = cells[column - 1]; // as the user wrote it
                result.problems << CsvProblem{CsvProblem::Kind::Cell, number, 0, *refusal};
            }
        }
        if (r < kCurveRows)
            result.rows[r] = row;
    }
    return result;
}

QString csvProblemText(const CsvProblem &p)
{
    switch (p.kind) {
    case CsvProblem::Kind::RowCount:
        return QStringLiteral("the table has %1 rows, it needs exactly %2").arg(p.count).arg(kCurveRows);
    case CsvProblem::Kind::CellCount: {
        QString text = QStringLiteral("line %1: %2 cells, a row needs 3 (rpm, advance, pattern)").arg(p.line).arg(p.count);
        if (p.count > kColumns)
            text += QStringLiteral("; a decimal comma needs semicolons between the cells, or quotes around the number");
        return text;
    }
    case CsvProblem::Kind::Cell:
        break;
    }
    return QStringLiteral("line %1: %2").arg(p.line).arg(refusalText(p.cell));
}
