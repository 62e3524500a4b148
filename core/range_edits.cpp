#include "core/range_edits.h"

#include "core/number_text.h"
#include "core/value_ranges.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kStep = 0.5; // what Raise and Lower add or take, in degrees

// Rounding halves up, with room for the error of the arithmetic before it:
// an interpolated 10,25 may come out a hair below.
double roundHalfUp(double value, double unit)
{
    return std::floor(value / unit + 0.5 + 1e-9) * unit;
}

QString wholeRpmText(double rpm)
{
    return QString::number(std::clamp(roundHalfUp(rpm, 1), Ranges::Rpm.low, Ranges::Rpm.high), 'f', 0);
}

} // namespace

double halfDegree(double degrees)
{
    return std::clamp(roundHalfUp(degrees, 0.5), Ranges::Advance.low, Ranges::Advance.high);
}

QString advanceText(double degrees)
{
    return decimalText(degrees, 1);
}

std::optional<int> rangeColumn(RangeCommand command, int first, int last)
{
    if (first != last)
        return first <= Col::Advance && Col::Advance <= last ? std::optional<int>(Col::Advance) : std::nullopt;
    if (first == Col::Advance || (first == Col::Rpm && command == RangeCommand::Interpolate))
        return first;
    return std::nullopt;
}

QList<int> applyRangeCommand(Curve &curve, RangeCommand command, int column, int first, int last, int frozenRows)
{
    const auto textOf = [column](double value) {
        return column == Col::Rpm ? wholeRpmText(value) : advanceText(halfDegree(value));
    };
    QList<int> changed;
    const auto write = [&](int row, double value) {
        const QString text = textOf(value);
        if (row > frozenRows && curve.cell(column, row) != text) {
            curve.setCell(column, row, text);
            changed << row;
        }
    };
    if (command == RangeCommand::Interpolate) {
        const std::optional<double> from = curve.cellNumber(column, first);
        const std::optional<double> to = curve.cellNumber(column, last);
        if (!from || !to)
            return changed;
        for (int row = first + 1; row < last; ++row)
            write(row, (*from * (last - row) + *to * (row - first)) / (last - first));
    } else {
        const double step = command == RangeCommand::Raise ? kStep : -kStep;
        for (int row = first; row <= last; ++row) {
            if (const std::optional<double> value = curve.cellNumber(column, row))
                write(row, *value + step);
        }
    }
    return changed;
}
