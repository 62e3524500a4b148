#include "core/download_frame.h"

#include "core/field_rules.h"
#include "core/polarity.h"

#include <cmath>
#include <cstdint>

double shiftPeriod(const Curve &curve)
{
    return std::trunc(120000000.0 / curve.reading(Param::Cylinders) / curve.reading(Param::ShiftRpm) * 0.625);
}

namespace {

// Products are truncated toward zero and kept to their low 32 bits, as a
// 32-bit integer would hold them; a product beyond every number (a division
// by zero) gives 0.
std::uint32_t low32(double product)
{
    if (!std::isfinite(product))
        return 0;
    const double wrapped = std::fmod(std::trunc(product), 4294967296.0);
    return static_cast<std::uint32_t>(wrapped < 0 ? wrapped + 4294967296.0 : wrapped);
}

// The module gets the low 8 bits.
char lowByte(double product)
{
    return static_cast<char>(low32(product) & 0xFF);
}

// The lists' whole numbers; unsigned, so that a text such as "999999999"
// from a file wraps instead of overflowing.
std::uint32_t wholeNumber(const QString &text)
{
    return static_cast<std::uint32_t>(text.toInt());
}

char openingValue(const Curve &curve)
{
    // Steps of 0.0256 ms.
    return controlMode(curve.text(Param::Opening)) == ControlMode::Time
               ? lowByte(curve.reading(Param::Opening) * 39.0625)
               : 0;
}

char dwellValue(const Curve &curve)
{
    const double dwell = curve.reading(Param::Dwell);
    switch (controlMode(curve.text(Param::Opening))) {
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

QByteArray BuildDownloadFrame(const Curve &curve, bool versionFlag)
{
    const CurveTexts &t = curve.texts();
    const std::uint32_t period = low32(shiftPeriod(curve));
    QByteArray frame;
    frame.reserve(kFrameValues + 1);
    frame += static_cast<char>(3 + (isRisingPolarity(t.inputPolarity) ? 128 : 0) + (isRisingPolarity(t.outputPolarity) ? 64 : 0));
    if (versionFlag)
        frame += static_cast<char>((wholeNumber(t.dwellCorrection) * 16 + wholeNumber(t.transparent)) & 0xFF);
    frame += openingValue(curve);
    frame += static_cast<char>(period & 0xFF);
    for (int r = kCurveRows; r >= 1; --r)
        frame += lowByte(curve.cellReading(Col::Advance, r) * 2);  // steps of 0.5 degree
    frame += static_cast<char>(12);
    frame += dwellValue(curve);
    frame += static_cast<char>((period >> 8) & 0xFF);
    for (int r = kCurveRows; r >= 1; --r)
        frame += static_cast<char>(static_cast<int>(curve.cellReading(Col::Pattern, r)) & 0xFF);
    frame += static_cast<char>((wholeNumber(t.cylinders) * 16 + 15) & 0xFF);
    return frame;
}

QByteArray valueGroup(char value)
{
    return QByteArray(1, value) + QByteArray(2, static_cast<char>(0xFF));
}

QByteArray frameLine(const QByteArray &frame)
{
    QByteArray line;
    line.reserve(frame.size() * kGroupBytes);
    for (const char value : frame)
        line += valueGroup(value);
    return line;
}
