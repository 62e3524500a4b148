#include "table/field_rules.h"

#include "table/number_text.h"

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
    return inSingleRange(text, 600, 18000);
}

bool isValidOpeningTime(const QString &text)
{
    return inSingleRange(text, 0.2f, 2);
}

const DwellRule &dwellRule(ControlMode mode)
{
    static const DwellRule wide{50, 510, &TextSlots::MsgBadDwellAngleWide, "50", "50"};
    static const DwellRule narrow{160, 200, &TextSlots::MsgBadDwellAngleNarrow, "180", "180"};
    static const DwellRule time{0.5f, 10, &TextSlots::MsgBadDwellTime, "10", "0,5"};
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
    const DwellRule &rule = dwellRule(mode);
    return inSingleRange(text, rule.low, rule.high);
}

std::optional<QString> dwellResetOnOpeningExit(ControlMode mode, const QString &dwell)
{
    const DwellRule &rule = dwellRule(mode);
    const float high = mode == ControlMode::WideAngle ? std::numeric_limits<float>::infinity() : rule.high;
    if (inSingleRange(dwell, rule.low, high))
        return std::nullopt;
    return QString::fromLatin1(rule.openingReset);
}

VersionOptions versionOptions(const QString &version, const QString &opening)
{
    VersionOptions options;
    options.value = parseVersion(QString(version).replace(QLatin1Char('.'), QLatin1Char(',')));
    options.flag = versionHasOptions(options.value);
    options.transparentEnabled = options.flag;
    options.dwellCorrectionEnabled = options.flag && controlMode(opening) == ControlMode::Time;
    return options;
}
