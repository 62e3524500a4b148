#include "core/download_frame.h"

#include "core/field_rules.h"
#include "core/polarity.h"

#include <QCryptographicHash>
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

// The lists' whole numbers; unsigned, so that a text such as "999999999"
// from a file wraps instead of overflowing.
std::uint32_t wholeNumber(const QString &text)
{
    return static_cast<std::uint32_t>(text.toInt());
}

std::uint32_t openingValue(const Curve &curve)
{
    // Steps of 0.0256 ms.
    return controlMode(curve.text(Param::Opening)) == ControlMode::Time
               ? low32(curve.reading(Param::Opening) * 39.0625)
               : 0;
}

std::uint32_t dwellValue(const Curve &curve)
{
    const double dwell = curve.reading(Param::Dwell);
    switch (controlMode(curve.text(Param::Opening))) {
    case ControlMode::WideAngle:
        return low32(dwell * 0.5);       // steps of 2 degrees
    case ControlMode::NarrowAngle:
        return low32(dwell);             // whole degrees
    case ControlMode::Time:
        break;
    }
    return low32(dwell * 2.44140625);    // steps of 0.4096 ms
}

} // namespace

const QList<FramePlace> &frameLayout(bool versionFlag)
{
    struct Span {
        FrameSlot slot;
        int count; // places; the rows run from 60 down
        quint8 fixedMask;
        quint8 fixedBits;
    };
    static constexpr Span spans[] = {
        {FrameSlot::Control, 1, 0x3F, 0x03}, // bits 0 and 1 set, 2 to 5 clear
        {FrameSlot::Options, 1, 0, 0},
        {FrameSlot::Opening, 1, 0, 0},
        {FrameSlot::PeriodLow, 1, 0, 0},
        {FrameSlot::Advance, kCurveRows, 0, 0},
        {FrameSlot::Fixed, 1, 0xFF, 12},
        {FrameSlot::Dwell, 1, 0, 0},
        {FrameSlot::PeriodHigh, 1, 0, 0},
        {FrameSlot::Pattern, kCurveRows, 0, 0},
        {FrameSlot::Cylinders, 1, 0x0F, 0x0F}, // the count in the high four bits
    };
    static const auto layout = [](bool withOptions) {
        QList<FramePlace> places;
        for (const Span &span : spans) {
            if (span.slot == FrameSlot::Options && !withOptions)
                continue;
            for (int i = 0; i < span.count; ++i)
                places << FramePlace{span.slot, span.count == kCurveRows ? kCurveRows - i : 0, span.fixedMask, span.fixedBits};
        }
        return places;
    };
    static const QList<FramePlace> without = layout(false);
    static const QList<FramePlace> with = layout(true);
    return versionFlag ? with : without;
}

QByteArray BuildDownloadFrame(const Curve &curve, bool versionFlag)
{
    const CurveTexts &t = curve.texts();
    const std::uint32_t period = low32(shiftPeriod(curve));
    QByteArray frame;
    frame.reserve(kFrameValues + 1);
    for (const FramePlace &place : frameLayout(versionFlag)) {
        std::uint32_t value = 0;
        switch (place.slot) {
        case FrameSlot::Control:
            value = (isRisingPolarity(t.inputPolarity) ? 128 : 0) | (isRisingPolarity(t.outputPolarity) ? 64 : 0);
            break;
        case FrameSlot::Options: value = wholeNumber(t.dwellCorrection) * 16 + wholeNumber(t.transparent); break;
        case FrameSlot::Opening: value = openingValue(curve); break;
        case FrameSlot::PeriodLow: value = period; break;
        case FrameSlot::Advance: value = low32(curve.cellReading(Col::Advance, place.row) * 2); break; // steps of 0.5 degree
        case FrameSlot::Fixed: break;
        case FrameSlot::Dwell: value = dwellValue(curve); break;
        case FrameSlot::PeriodHigh: value = period >> 8; break;
        case FrameSlot::Pattern: value = static_cast<std::uint32_t>(static_cast<int>(curve.cellReading(Col::Pattern, place.row))); break;
        case FrameSlot::Cylinders: value = wholeNumber(t.cylinders) * 16; break;
        }
        // The module gets the low 8 bits.
        frame += static_cast<char>((value & 0xFF) | place.fixedBits);
    }
    return frame;
}

QByteArray valueGroup(char value)
{
    return QByteArray(1, value) + QByteArray(2, kFiller);
}

QByteArray frameLine(const QByteArray &frame)
{
    QByteArray line;
    line.reserve(frame.size() * kGroupBytes);
    for (const char value : frame)
        line += valueGroup(value);
    return line;
}

QString frameDigest(const QByteArray &frame)
{
    return QString::fromLatin1(QCryptographicHash::hash(frameLine(frame), QCryptographicHash::Sha256).toHex());
}
