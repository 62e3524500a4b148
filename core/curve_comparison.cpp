#include "core/curve_comparison.h"

CurvePoints advancePoints(const Curve &curve)
{
    CurvePoints points{};
    for (int p = 0; p < kCurveRows; ++p)
        points[p] = curve.cellNumber(Col::Advance, p + 1).value_or(0);
    return points;
}

int rowsWithOtherSpeeds(const Curve &table, const Curve &other)
{
    int rows = 0;
    for (int row = 1; row <= kCurveRows; ++row) {
        const std::optional<double> mine = table.cellNumber(Col::Rpm, row);
        const std::optional<double> theirs = other.cellNumber(Col::Rpm, row);
        const bool same = mine && theirs ? *mine == *theirs : table.cell(Col::Rpm, row) == other.cell(Col::Rpm, row);
        rows += same ? 0 : 1;
    }
    return rows;
}
