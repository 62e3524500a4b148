#include "core/inhibit_pattern.h"

int ParseInhibitPattern(const QString &text)
{
    if (text.size() != 8)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return -1;
        value = value * 2 + (c == QLatin1Char('1'));
    }
    return value;
}

QString inhibitPatternText(int value)
{
    return QString::number(value, 2).rightJustified(8, QLatin1Char('0'));
}
