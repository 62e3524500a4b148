#include "core/cell_rules.h"

#include "core/inhibit_pattern.h"
#include "core/number_text.h"

namespace {

const QString kAllInhibited = QStringLiteral("11111111");

double inRange(std::optional<double> number, const ValueRange &range)
{
    return number && range.contains(*number) ? *number : -1;
}

} // namespace

std::optional<double> cellNumber(int column, const QString &text)
{
    if (column != Col::Pattern)
        return parseNumber(text);
    if (const int pattern = ParseInhibitPattern(text); pattern >= 0)
        return pattern;
    return std::nullopt;
}

double cellValue(int column, std::optional<double> number)
{
    switch (column) {
    case Col::Rpm:
        return inRange(number, Ranges::Rpm);
    case Col::Advance:
        return inRange(number, Ranges::Advance);
    default:
        return number.value_or(-1);
    }
}

QStringList applyInhibitPreset(QStringList patterns, int row, const QString &pattern)
{
    if (pattern == kAllInhibited) {
        for (qsizetype i = row - 1; i < patterns.size(); ++i)
            patterns[i] = pattern;
        return patterns;
    }
    patterns[row - 1] = pattern;
    SpreadPatternUpward(patterns, row, pattern);
    return patterns;
}

void SpreadPatternUpward(QStringList &patterns, int row, const QString &pattern)
{
    for (int above = row - 1; above >= 1 && patterns[above - 1] == kAllInhibited; --above)
        patterns[above - 1] = pattern;
}
