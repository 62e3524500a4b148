#pragma once

#include "core/curve.h"

#include <QList>
#include <optional>

// Commands on a run of rows of the table, chosen by the grid's selection.
enum class RangeCommand {
    Interpolate, // the rows between the first and the last on a straight line between them
    Raise,       // every advance half a degree more
    Lower,       // every advance half a degree less
};

// The module holds advances in half degrees: the nearest half degree,
// halves up (10,25 gives 10,5), kept within 0,5 to 63,5.
double halfDegree(double degrees);
// An advance as the window writes it: "12", "10,5".
QString advanceText(double degrees);

// The column a command acts on when the selection spans the columns
// `first` to `last`: the advances of a selection across columns; the speeds
// only for interpolation; nothing for the patterns.
std::optional<int> rangeColumn(RangeCommand command, int first, int last);

// Applies `command` to the rows `first` to `last` of `column` of `curve`;
// rows 1 to `frozenRows` are left alone, and so is a text that is not a
// number. Interpolation is linear in the row number between the first and
// the last row, which keep their texts (nothing happens when either is not
// a number); speeds come out in whole rpm within their range, advances in
// half degrees. Gives the rows whose text changed.
QList<int> applyRangeCommand(Curve &curve, RangeCommand command, int column, int first, int last, int frozenRows);
