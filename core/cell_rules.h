#pragma once

#include "core/curve_texts.h"

#include <QStringList>
#include <optional>

// The checks of the table's columns (Col::Rpm, Col::Advance, Col::Pattern).
// Every bound is inclusive; speeds and advances are compared in double
// precision.

// What a cell's text stands for in its column: a speed or an advance read
// with the comma, a pattern's value; nothing for a text that is none.
std::optional<double> cellNumber(int column, const QString &text);

// The value of a cell by its column's rule, from its text or from the
// number it stands for, or -1 when it is not valid there (not a number, out
// of range, not a pattern).
double cellValue(int column, std::optional<double> number);
inline double cellValue(int column, const QString &text) { return cellValue(column, cellNumber(column, text)); }
inline bool isValidCell(int column, const QString &text) { return cellValue(column, text) != -1; }

// The pattern column after a preset chosen at `row` (1 to 60); patterns[0]
// is row 1. "11111111" fills the rows from `row` to the end of the table;
// any other preset is written at `row` and spread upward.
QStringList applyInhibitPreset(QStringList patterns, int row, const QString &pattern);

// Rewrites the "11111111" block right above `row` with `pattern`, up to the
// first row that reads anything else; row 1 is as far as it goes.
void SpreadPatternUpward(QStringList &patterns, int row, const QString &pattern);
