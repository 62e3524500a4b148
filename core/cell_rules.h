#pragma once

#include "core/curve_texts.h"

#include <QStringList>

// The checks of the table's columns (Col::Rpm, Col::Advance, Col::Pattern).
// Every bound is inclusive; speeds and advances are compared in double
// precision.

// The value of a cell's text by its column's rule, or -1 when the text is
// not valid there (not a number, out of range, not a pattern).
double cellValue(int column, const QString &text);
inline bool isValidCell(int column, const QString &text) { return cellValue(column, text) != -1; }

// The pattern column after a preset chosen at `row` (1 to 60); patterns[0]
// is row 1. "11111111" fills the rows from `row` to the end of the table;
// any other preset is written at `row` and spread upward.
QStringList applyInhibitPreset(QStringList patterns, int row, const QString &pattern);

// Rewrites the "11111111" block right above `row` with `pattern`, up to the
// first row that reads anything else; row 1 is as far as it goes.
void SpreadPatternUpward(QStringList &patterns, int row, const QString &pattern);
