#include "core/download_frame.h"

#include "core/field_rules.h"
#include "core/inhibit_pattern.h"
#include "core/number_text.h"
#include "core/polarity.h"

#include <cmath>

namespace {

// The time between two ignitions at the shift-light speed, in steps of
// 1.6 us: 120 / (cylinders x speed) seconds.
double shiftPeriod(const CurveTexts &t)
{
    return std::trunc(120000000.0 / readNumber(t.cylinders) / readNumber(t.shiftRpm) * 0.625);
}

// Products are truncated toward zero; the module gets the low 8 bits.
char lowByte(double product)
{
    return static_cast<char>(static_cast<int>(std::fmod(std::trunc(product), 256.0)) & 0xFF);
}

char openingValue(const CurveTexts &t)
{
    // Steps of 0.0256 ms.
    return controlMode(t.opening) == ControlMode::Time ? lowByte(readNumber(t.opening) * 39.0625) : 0;
}

char dwellValue(const CurveTexts &t)
{
    const double dwell = readNumber(t.dwell);
    switch (controlMode(t.opening)) {
    case ControlMode::WideAngle:
        return lowByte(dwell * 0.5);       // steps of 2 degrees
    case ControlMode::NarrowAngle:
        return lowByte(dwell);             // whole degrees
    case ControlMode::Time:
        break;
    }
    return lowByte(dwell * 2.44140625);    // steps of 0.4096 ms
}

} // namespace

bool CheckDownloadData(const CurveTexts &t, bool versionFlag)
{
    for (const RowTexts &row : t.rows) {
        if (!inSingleRange(row.rpm, Ranges::Rpm))
            return false;
    }
    for (const RowTexts &row : t.rows) {
        if (!inSingleRange(row.advance, Ranges::Advance))
            return false;
    }
    for (const RowTexts &row : t.rows) {
        if (ParseInhibitPattern(row.pattern) < 0)
            return false;
    }
    if (!isValidShiftRpm(t.shiftRpm))
        return false;
    const ControlMode mode = controlMode(t.opening);
    if (mode == ControlMode::Time && !isValidOpeningTime(t.opening))
        return false;
    if (!isValidDwell(mode, t.dwell))
        return false;
    if (t.cylinders.isEmpty() || t.inputPolarity.isEmpty() || t.outputPolarity.isEmpty())
        return false;
    // Without these the options value cannot be formed.
    if (versionFlag && (t.dwellCorrection.isEmpty() || t.transparent.isEmpty()))
        return false;
    // A longer period would reach the module cut to 16 bits.
    const double period = shiftPeriod(t);
    return period >= 1 && period <= 65535;
}

QByteArray BuildDownloadFrame(const CurveTexts &t, bool versionFlag)
{
    const auto period = static_cast<std::int32_t>(shiftPeriod(t));
    QByteArray frame;
    frame.reserve(kFrameValues + 1);
    frame += static_cast<char>(3 + (isRisingPolarity(t.inputPolarity) ? 128 : 0) + (isRisingPolarity(t.outputPolarity) ? 64 : 0));
    if (versionFlag)
        frame += lowByte(t.dwellCorrection.toInt() * 16 + t.transparent.toInt());
    frame += openingValue(t);
    frame += static_cast<char>(period & 0xFF);
    for (int r = kCurveRows; r >= 1; --r)
        frame += lowByte(readNumber(t.rows[r - 1].advance) * 2);  // steps of 0.5 degree
    frame += static_cast<char>(12);
    frame += dwellValue(t);
    frame += static_cast<char>((period >> 8) & 0xFF);
    for (int r = kCurveRows; r >= 1; --r)
        frame += static_cast<char>(ParseInhibitPattern(t.rows[r - 1].pattern) & 0xFF);
    frame += lowByte(t.cylinders.toInt() * 16 + 15);
    return frame;
}

QByteArray valueGroup(char value)
{
    return QByteArray(1, value) + QByteArray(2, static_cast<char>(0xFF));
}
