#pragma once

#include "core/curve_texts.h"
#include "core/download_check.h"

#include <QByteArray>
#include <QList>
#include <array>

// The 60 rows as a CSV table for spreadsheets: the header line
// "rpm,advance,pattern", then one line per row, LF after each, the numbers
// with a decimal point so that a spreadsheet reads them as they stand. A
// cell holding a comma, semicolon or quote is quoted.
QByteArray writeCurveCsv(const CurveTexts &texts);

// Something that keeps a CSV table out of the curve.
struct CsvProblem {
    enum class Kind { RowCount, CellCount, Cell };
    Kind kind;
    int line = 0;   // the file's line, from 1 (CellCount, Cell)
    int count = 0;  // the rows (RowCount) or the line's cells (CellCount) found
    Refusal cell{}; // Cell: the table's row and column, and why
};

struct CsvRows {
    std::array<RowTexts, kCurveRows> rows; // as the table holds them
    QList<CsvProblem> problems;            // with any, none of the rows may be used
};

// Reads the rows of a CSV table. Cells are separated by commas, or by
// semicolons when the first line has one; numbers take a decimal point or a
// comma; a header line that starts with "rpm" is skipped, as are blank lines
// and a leading byte order mark; cells may be quoted ("12,5"). Exactly 60
// rows of three cells, each cell by its column's rule. A pattern that a
// spreadsheet has read as a number ("101" for 00000101) gets its leading
// zeros back. Every problem is listed.
CsvRows readCurveCsv(const QByteArray &bytes);

// In English: "line 18: row 17: advance 70 is outside 0,5 – 63,5".
QString csvProblemText(const CsvProblem &problem);
