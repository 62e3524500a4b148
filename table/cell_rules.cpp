#include "table/cell_rules.h"

#include "table/inhibit_pattern.h"
#include "table/number_text.h"

namespace {

const QString kAllInhibited = QStringLiteral("11111111");

double inRange(double value, double low, double high)
{
    return low <= value && value <= high ? value : -1;
}

} // namespace

double cellValue(int column, const QString &text)
{
    switch (column) {
    case 1:
        return inRange(readNumber(text), 600, 18000);
    case 2:
        return inRange(readNumber(text), 0.5, 63.5);
    default:
        return ParseInhibitPattern(text);
    }
}

const QString &rangeMessage(const TextSlots &texts, int column)
{
    switch (column) {
    case 1:
        return texts.MsgRangeRpm;
    case 2:
        return texts.MsgRangeAdvance;
    default:
        return texts.MsgRangeInhibit;
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
