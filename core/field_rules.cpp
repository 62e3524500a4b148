#include "core/field_rules.h"

#include "core/number_text.h"

#include <limits>

ControlMode controlMode(const QString &opening)
{
    if (opening == QLatin1String("*"))
        return ControlMode::WideAngle;
    if (opening == QLatin1String("#"))
        return ControlMode::NarrowAngle;
    return ControlMode::Time;
}

bool isValidShiftRpm(const QString &text)
{
    return inSingleRange(text, Ranges::Rpm);
}

bool isValidOpeningTime(const QString &text)
{
    return inSingleRange(text, Ranges::OpeningTime);
}

const DwellRule &dwellRule(ControlMode mode)
{
    static const DwellRule wide{Ranges::DwellWide, "50", "50"};
    static const DwellRule narrow{Ranges::DwellNarrow, "180", "180"};
    static const DwellRule time{Ranges::DwellTime, "10", "0,5"};
    switch (mode) {
    case ControlMode::WideAngle:
        return wide;
    case ControlMode::NarrowAngle:
        return narrow;
    case ControlMode::Time:
        break;
    }
    return time;
}

bool isValidDwell(ControlMode mode, const QString &text)
{
    return inSingleRange(text, dwellRule(mode).range);
}

std::optional<QString> dwellResetOnOpeningExit(ControlMode mode, const QString &dwell)
{
    const DwellRule &rule = dwellRule(mode);
    ValueRange kept = rule.range;
    if (mode == ControlMode::WideAngle)
        kept.high = std::numeric_limits<double>::infinity();
    if (inSingleRange(dwell, kept))
        return std::nullopt;
    return QString::fromLatin1(rule.openingReset);
}

std::int64_t versionFieldValue(const QString &version)
{
    return parseVersion(QString(version).replace(QLatin1Char('.'), QLatin1Char(',')));
}

VersionOptions versionOptions(const QString &version, const QString &opening)
{
    VersionOptions options;
    options.value = versionFieldValue(version);
    options.flag = versionHasOptions(options.value);
    options.transparentEnabled = options.flag;
    options.dwellCorrectionEnabled = options.flag && controlMode(opening) == ControlMode::Time;
    return options;
}
