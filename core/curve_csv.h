#pragma once

#include "core/curve_texts.h"
#include "core/download_check.h"
#include "core/text_encoding.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>

// The 60 rows as a CSV table for spreadsheets: the header line
// "rpm,advance,pattern", then one line per row, LF after each, the numbers
// with a decimal point so that a spreadsheet reads them as they stand. A
// cell holding a comma, semicolon or quote is quoted.
QByteArray writeCurveCsv(const CurveTexts &texts);

// Something that keeps a CSV table out of the curve. Lines and columns are
// the file's, as a spreadsheet numbers its rows and letters its columns.
struct CsvProblem {
    enum class Kind {
        RowCount,      // count: the rows found
        TooFewCells,   // count: the cells found, needed: the cells a row needs
        TooManyCells,  // column, text: the first filled cell beyond the table, needed: its columns
        Cell,          // column; cell: the curve's row and field, and why
        UnknownTitle,  // column, text: a first-line title that names no column
        SecondTitle,   // column, text: a title given twice
        MissingColumn, // cell.field: the column no title names
    };
    Kind kind;
    int line = 0;   // from 1
    int column = 0; // from 1, column A
    int count = 0;
    int needed = 0;
    QString text{};
    Refusal cell{};
    bool commas = false; // TooManyCells: commas separate the cells, so a decimal comma may have split a number
};

struct CsvRows {
    std::array<RowTexts, kCurveRows> rows; // as the table holds them
    QList<CsvProblem> problems;            // with any, none of the rows may be used
    TextEncoding encoding = TextEncoding::Ascii;
    QChar separator = QLatin1Char(',');
    bool titled = false;                   // the first line holds the column titles
};

// Reads the rows of a CSV table as spreadsheets write it:
// - in UTF-8 (with or without a byte order mark), Windows-1250 or UTF-16;
// - cells separated by tabs, semicolons or commas, whichever the first line
//   has (in that order), blanks around a cell ignored; quoted cells may hold
//   the separator ("12,5"), "" is one quote;
// - lines ended by CR LF, LF or CR alone; blank lines, and lines of empty
//   cells only, are skipped; empty cells after the table's are ignored;
// - numbers with a decimal point or comma;
// - an optional first line of titles, ours or the window's in English or
//   Hungarian (rpm / RPM / Ford.szám, advance / Ign. Advance / Előgyújtás,
//   pattern / Inh. Pattern / Tiltás, and # for a row-number column, which
//   is ignored), naming the columns in any order; without it the columns are
//   speed, advance, pattern.
// Exactly 60 rows, each cell by its column's rule. A pattern that a
// spreadsheet has read as a number ("101" for 00000101) gets its leading
// zeros back. Every problem is listed, in the order of the file.
CsvRows readCurveCsv(const QByteArray &bytes);

// The words the problems are told in.
struct CsvWords {
    QString rowCount;      // %1 rows found, %2 needed
    QString tooFewCells;   // %1 line, %2 cells, %3 needed, %4 columnNames
    QString tooManyCells;  // %1 line, %2 column, %3 the cell, %4 the table's columns
    QString decimalComma;  // after tooManyCells when commas separate the cells
    QString cell;          // %1 line, %2 column, %3 the curve's row, %4 the refusal without its row
    QString unknownTitle;  // %1 line, %2 column, %3 the title, %4 columnNames
    QString secondTitle;   // %1 line, %2 column, %3 the title
    QString missingColumn; // %1 line, %2 the field
    QString columnNames;   // the titles a first line may use
    QString andMore;       // %1 problems not listed
    RefusalWords refusal;
};
const CsvWords &englishCsvWords();
const CsvWords &hungarianCsvWords();

// "line 18, column B (row 17): advance 70 is outside 0,5 – 63,5".
QString csvProblemText(const CsvProblem &problem, const CsvWords &words = englishCsvWords());

// What a user reads of them: at most ten, then "and N more".
constexpr int kListedProblems = 10;
QStringList csvProblemTexts(const QList<CsvProblem> &problems, const CsvWords &words = englishCsvWords());
