#include "core/number_text.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

std::optional<double> parseNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+(,\d*)?|,\d+)([eE][+-]?\d+)?\s*$)"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString decimalText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

double readNumber(const QString &text)
{
    return parseNumber(text).value_or(-1.0);
}

bool inSingleRange(double reading, const ValueRange &range)
{
    const auto value = static_cast<float>(reading);
    return static_cast<float>(range.low) <= value && value <= static_cast<float>(range.high);
}

bool inSingleRange(const QString &text, const ValueRange &range)
{
    return inSingleRange(readNumber(text), range);
}

double convertNumber(const QString &text)
{
    if (const auto value = parseNumber(text))
        return *value;
    throw conversionError(text);
}

PlatformError conversionError(const QString &text)
{
    return PlatformError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

std::int64_t parseVersion(const QString &text, std::int64_t fallback)
{
    const auto value = parseNumber(text);
    if (!value)
        return fallback;
    const double scaled = std::round(*value * 10000.0);
    // Beyond about ±9.2e14 the count no longer fits in 64 bits.
    if (std::fabs(scaled) >= 9.2e18)
        return fallback;
    return static_cast<std::int64_t>(scaled);
}

QString versionText(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    // Work on the magnitude as unsigned so the most negative count survives.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    QString result = QString::number(magnitude / 10000);
    if (const std::uint64_t fraction = magnitude % 10000) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        result += QLatin1Char(',') + digits;
    }
    return negative ? QLatin1Char('-') + result : result;
}
