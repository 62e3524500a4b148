#include "core/cell_rules.h"

#include "core/inhibit_pattern.h"
#include "core/number_text.h"

namespace {

const QString kAllInhibited = QStringLiteral("11111111");

double inRange(double value, const ValueRange &range)
{
    return range.contains(value) ? value : -1;
}

} // namespace

double cellValue(int column, const QString &text)
{
    switch (column) {
    case Col::Rpm:
        return inRange(readNumber(text), Ranges::Rpm);
    case Col::Advance:
        return inRange(readNumber(text), Ranges::Advance);
    default:
        return ParseInhibitPattern(text);
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
