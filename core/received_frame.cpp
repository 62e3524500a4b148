#include "core/received_frame.h"

#include "core/download_check.h"
#include "core/inhibit_pattern.h"
#include "core/number_text.h"
#include "core/polarity.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

using Reading = std::variant<ReceivedFrame, FrameFault>;
using Kind = FrameFault::Kind;

// Value i's two fillers are on the line.
bool hasFillers(const QByteArray &line, qsizetype i)
{
    return line.mid(i * kGroupBytes + 1, kGroupBytes - 1) == QByteArray(kGroupBytes - 1, kFiller);
}

// A line of exactly the frame's groups, read place by place.
Reading readGroups(const QByteArray &line, bool versionFlag)
{
    ReceivedFrame frame;
    frame.versionFlag = versionFlag;
    const QList<FramePlace> &layout = frameLayout(versionFlag);
    for (qsizetype i = 0; i < layout.size(); ++i) {
        const FramePlace &place = layout[i];
        const int number = static_cast<int>(i) + 1;
        const quint8 v = static_cast<quint8>(line[i * kGroupBytes]);
        if (!hasFillers(line, i))
            return FrameFault{Kind::FillerMissing, number, v};
        if ((v & place.fixedMask) != place.fixedBits)
            return FrameFault{Kind::FixedBits, number, v, place.slot};
        frame.values += static_cast<char>(v);
        switch (place.slot) {
        case FrameSlot::Control:
            frame.inputRising = v & 0x80;
            frame.outputRising = v & 0x40;
            break;
        case FrameSlot::Options:
            frame.dwellCorrection = v >> 4;
            frame.transparent = v & 0x0F;
            break;
        case FrameSlot::Opening: frame.opening = v; break;
        case FrameSlot::PeriodLow: frame.period |= v; break;
        case FrameSlot::Advance: frame.advance[place.row - 1] = v; break;
        case FrameSlot::Fixed: break;
        case FrameSlot::Dwell: frame.dwell = v; break;
        case FrameSlot::PeriodHigh: frame.period |= v << 8; break;
        case FrameSlot::Pattern: frame.pattern[place.row - 1] = v; break;
        case FrameSlot::Cylinders: frame.cylinders = v >> 4; break;
        }
    }
    return frame;
}

QString countWord(int count)
{
    return count == 1 ? QStringLiteral("one") : QString::number(count);
}

QString openingText(int steps)
{
    return steps == 0 ? QStringLiteral("none (an angle mode)") : decimalText(openingMs(steps), 4) + QStringLiteral(" ms");
}

QString dwellText(int steps, ControlMode mode)
{
    return decimalText(dwellReading(steps, mode), 4) + (mode == ControlMode::Time ? QStringLiteral(" ms") : QStringLiteral("°"));
}

QString periodText(const ReceivedFrame &frame)
{
    const double rpm = periodRpm(frame.period, frame.cylinders);
    if (rpm == 0)
        return QString::number(frame.period);
    return QStringLiteral("%1 (about %2 rpm with %3 cylinders)").arg(frame.period).arg(std::round(rpm)).arg(frame.cylinders);
}

// Whether the texts give the frame's values at every place of the checked slots.
bool sameAt(const CurveTexts &texts, const ReceivedFrame &frame, std::initializer_list<FrameSlot> checked)
{
    const QByteArray values = curveFileFrame(texts);
    if (values.size() != frame.values.size())
        return false;
    const QList<FramePlace> &layout = frameLayout(frame.versionFlag);
    for (qsizetype i = 0; i < layout.size(); ++i) {
        if (std::find(checked.begin(), checked.end(), layout[i].slot) != checked.end() && values[i] != frame.values[i])
            return false;
    }
    return true;
}

// The shortest number that gives the frame's values for the checked slots
// in `field`: `exact`, the value a step stands for, or else the middle of
// the step, which the frame's truncation keeps clear of its edges.
std::optional<QString> shortestText(double exact, double middle, CurveTexts texts, QString CurveTexts::*field,
                                    const ReceivedFrame &frame, std::initializer_list<FrameSlot> checked)
{
    for (int decimals = 0; decimals <= 9; ++decimals) {
        for (const double value : {exact, middle}) {
            texts.*field = decimalText(value, decimals);
            if (sameAt(texts, frame, checked))
                return texts.*field;
        }
    }
    return std::nullopt;
}

// The curve's own texts where they give the same frame, field by field.
void keepKnownTexts(CurveTexts &texts, const CurveTexts &known, const QByteArray &values)
{
    const auto keep = [&](QString &text, const QString &knownText) {
        const QString guess = std::exchange(text, knownText);
        if (curveFileFrame(texts) != values)
            text = guess;
    };
    for (QString CurveTexts::*field : {&CurveTexts::cylinders, &CurveTexts::shiftRpm, &CurveTexts::opening,
                                      &CurveTexts::dwell, &CurveTexts::inputPolarity, &CurveTexts::outputPolarity,
                                      &CurveTexts::version, &CurveTexts::dwellCorrection, &CurveTexts::transparent})
        keep(texts.*field, known.*field);
    for (int r = 0; r < kCurveRows; ++r) {
        texts.rows[r].rpm = known.rows[r].rpm;
        keep(texts.rows[r].advance, known.rows[r].advance);
        keep(texts.rows[r].pattern, known.rows[r].pattern);
    }
}

} // namespace

std::variant<ReceivedFrame, FrameFault> readDownloadLine(const QByteArray &line)
{
    // A line of a whole frame's size is that frame when it reads as one,
    // even if a shorter frame would read from its start.
    const qsizetype values = (line.size() + kGroupBytes - 1) / kGroupBytes;
    std::optional<Reading> whole;
    if (line.size() % kGroupBytes == 0 && (values == kFrameValues || values == kFrameValues + 1)) {
        whole = readGroups(line, values > kFrameValues);
        if (std::holds_alternative<ReceivedFrame>(*whole))
            return *whole;
    }
    for (const bool versionFlag : {true, false}) {
        const int frameValues = kFrameValues + (versionFlag ? 1 : 0);
        const qsizetype frameBytes = qsizetype(frameValues) * kGroupBytes;
        if (line.size() > frameBytes && std::holds_alternative<ReceivedFrame>(readGroups(line.first(frameBytes), versionFlag)))
            return FrameFault{Kind::BytesAfter, frameValues, static_cast<int>(line.size() - frameBytes)};
    }
    if (whole)
        return *whole;
    for (qsizetype i = 0; i < values; ++i) {
        if (!hasFillers(line, i))
            return FrameFault{Kind::FillerMissing, static_cast<int>(i) + 1, static_cast<quint8>(line[i * kGroupBytes])};
    }
    return FrameFault{values < kFrameValues ? Kind::TooFew : Kind::TooMany, static_cast<int>(values)};
}

QString frameFaultText(const FrameFault &fault)
{
    switch (fault.kind) {
    case Kind::FillerMissing:
        return QStringLiteral("value %1: 255 filler missing after %2").arg(fault.value).arg(fault.found);
    case Kind::TooFew:
        return QStringLiteral("%1 values: %2 short").arg(fault.value).arg(countWord(kFrameValues - fault.value));
    case Kind::TooMany:
        return QStringLiteral("%1 values: %2 too many").arg(fault.value).arg(countWord(fault.value - kFrameValues - 1));
    case Kind::BytesAfter:
        return QStringLiteral("%1 %2 after the frame of %3 values")
            .arg(fault.found).arg(fault.found == 1 ? QStringLiteral("byte") : QStringLiteral("bytes")).arg(fault.value);
    case Kind::FixedBits:
        break;
    }
    if (fault.slot == FrameSlot::Control)
        return QStringLiteral("value %1: control byte %2 lacks its fixed bits (0 and 1 set, 2 to 5 clear)").arg(fault.value).arg(fault.found);
    if (fault.slot == FrameSlot::Fixed)
        return QStringLiteral("value %1: %2 where the fixed value 12 belongs").arg(fault.value).arg(fault.found);
    return QStringLiteral("value %1: cylinders value %2 lacks 15 in its low four bits").arg(fault.value).arg(fault.found);
}

QString edgeText(bool rising)
{
    return rising ? QStringLiteral("rising") : QStringLiteral("falling");
}

double openingMs(int steps)
{
    return steps * 0.0256;
}

double dwellReading(int steps, ControlMode mode)
{
    switch (mode) {
    case ControlMode::WideAngle: return steps * 2.0;
    case ControlMode::NarrowAngle: return steps;
    case ControlMode::Time: break;
    }
    return steps * 0.4096;
}

double periodRpm(double period, int cylinders)
{
    return period == 0 || cylinders == 0 ? 0 : 75000000.0 / (cylinders * period);
}

std::optional<FrameDifference> frameDifference(const ReceivedFrame &received, const ReceivedFrame &expected)
{
    if (received.versionFlag != expected.versionFlag)
        return FrameDifference{true};
    const QList<FramePlace> &layout = frameLayout(received.versionFlag);
    for (qsizetype i = 0; i < layout.size(); ++i) {
        if (received.values[i] != expected.values[i])
            return FrameDifference{false, layout[i]};
    }
    return std::nullopt;
}

QString frameDifferenceText(const FrameDifference &difference, const ReceivedFrame &received,
                            const ReceivedFrame &expected, ControlMode mode)
{
    if (difference.versionFlag)
        return QStringLiteral("%1 values received, the file's frame has %2").arg(received.values.size()).arg(expected.values.size());
    const auto says = [](const QString &what, const QString &got, const QString &wanted) {
        return QStringLiteral("%1: received %2, file says %3").arg(what, got, wanted);
    };
    const int row = difference.place.row;
    switch (difference.place.slot) {
    case FrameSlot::Control:
        if (received.inputRising != expected.inputRising)
            return says(QStringLiteral("input edge polarity"), edgeText(received.inputRising), edgeText(expected.inputRising));
        return says(QStringLiteral("output edge polarity"), edgeText(received.outputRising), edgeText(expected.outputRising));
    case FrameSlot::Options:
        if (received.dwellCorrection != expected.dwellCorrection)
            return says(QStringLiteral("dwell correction"), QString::number(received.dwellCorrection), QString::number(expected.dwellCorrection));
        return says(QStringLiteral("transparent ranges"), QString::number(received.transparent), QString::number(expected.transparent));
    case FrameSlot::Opening:
        return says(QStringLiteral("opening time"), openingText(received.opening), openingText(expected.opening));
    case FrameSlot::PeriodLow:
    case FrameSlot::PeriodHigh:
        return says(QStringLiteral("shift-light period"), periodText(received), periodText(expected));
    case FrameSlot::Advance:
        return says(QStringLiteral("row %1 advance").arg(row), decimalText(received.advance[row - 1] / 2.0, 1) + QStringLiteral("°"),
                    decimalText(expected.advance[row - 1] / 2.0, 1) + QStringLiteral("°"));
    case FrameSlot::Dwell:
        return says(QStringLiteral("dwell"), dwellText(received.dwell, mode), dwellText(expected.dwell, mode));
    case FrameSlot::Pattern:
        return says(QStringLiteral("row %1 inhibit pattern").arg(row), inhibitPatternText(received.pattern[row - 1]),
                    inhibitPatternText(expected.pattern[row - 1]));
    case FrameSlot::Cylinders:
        return says(QStringLiteral("cylinders"), QString::number(received.cylinders), QString::number(expected.cylinders));
    case FrameSlot::Fixed:
        break;
    }
    return says(QStringLiteral("a fixed value"), QString(), QString());
}

QByteArray curveFileFrame(const CurveTexts &file)
{
    const FileDownload download = fileDownload(file);
    return BuildDownloadFrame(download.texts, download.versionFlag);
}

QString guessText(Guess guess)
{
    switch (guess) {
    case Guess::Speeds: return QStringLiteral("the speeds are the defaults: the frame carries none");
    case Guess::ControlMode: return QStringLiteral("the control mode is a guess: the frame says only that it is an angle mode");
    case Guess::Version: break;
    }
    return QStringLiteral("the version is a guess: the frame says only whether it is 8,3 or later");
}

std::optional<RebuiltCurve> rebuildCurve(const ReceivedFrame &frame, const std::optional<CurveTexts> &known)
{
    RebuiltCurve rebuilt;
    CurveTexts &t = rebuilt.texts;
    t.cylinders = QString::number(frame.cylinders);
    t.inputPolarity = frame.inputRising ? Polarity::RisingHu : Polarity::FallingHu;
    t.outputPolarity = frame.outputRising ? Polarity::RisingHu : Polarity::FallingHu;
    t.version = frame.versionFlag ? QStringLiteral("8,3") : QStringLiteral("0");
    t.dwellCorrection = QString::number(frame.dwellCorrection);
    t.transparent = QString::number(frame.transparent);
    for (int r = 1; r <= kCurveRows; ++r)
        t.rows[r - 1] = {defaultRpmText(r), decimalText(frame.advance[r - 1] / 2.0, 1), inhibitPatternText(frame.pattern[r - 1])};

    // The mode of the curve that was meant, when its opening gives the same
    // value; a time when the opening has one; else an angle mode, narrow
    // when the dwell fits its range.
    CurveTexts probe = t;
    if (known)
        probe.opening = known->opening;
    ControlMode mode = ControlMode::Time;
    std::optional<QString> opening;
    if (known && sameAt(probe, frame, {FrameSlot::Opening})) {
        mode = controlMode(known->opening);
        opening = known->opening;
    } else if (frame.opening == 0) {
        mode = Ranges::DwellNarrow.contains(frame.dwell) ? ControlMode::NarrowAngle : ControlMode::WideAngle;
        rebuilt.guesses << Guess::ControlMode;
    }
    switch (mode) {
    case ControlMode::WideAngle:
        t.opening = QStringLiteral("*");
        t.dwell = QString::number(frame.dwell * 2);
        break;
    case ControlMode::NarrowAngle:
        t.opening = QStringLiteral("#");
        t.dwell = QString::number(frame.dwell);
        break;
    case ControlMode::Time: {
        if (!opening)
            opening = shortestText(openingMs(frame.opening), openingMs(frame.opening) + openingMs(1) / 2, t,
                                   &CurveTexts::opening, frame, {FrameSlot::Opening});
        t.opening = opening.value_or(QString());
        const double dwellMs = dwellReading(frame.dwell, ControlMode::Time);
        const std::optional<QString> dwell = shortestText(dwellMs, dwellMs + dwellReading(1, ControlMode::Time) / 2, t,
                                                          &CurveTexts::dwell, frame, {FrameSlot::Dwell});
        if (!opening || !dwell)
            return std::nullopt;
        t.dwell = *dwell;
        break;
    }
    }

    // A period of 0 is the low 16 bits of 65536. With 0 cylinders every
    // speed gives a period of 0, and none gives another.
    const int period = frame.period == 0 ? 65536 : frame.period;
    const std::optional<QString> shift = frame.cylinders == 0
        ? (frame.period == 0 ? std::optional(QStringLiteral("6000")) : std::nullopt)
        : shortestText(periodRpm(period, frame.cylinders), periodRpm(period + 0.5, frame.cylinders), t,
                       &CurveTexts::shiftRpm, frame, {FrameSlot::PeriodLow, FrameSlot::PeriodHigh});
    if (!shift)
        return std::nullopt;
    t.shiftRpm = *shift;
    if (curveFileFrame(t) != frame.values)
        return std::nullopt;

    if (known) {
        keepKnownTexts(t, *known, frame.values);
        if (t.version != known->version)
            rebuilt.guesses << Guess::Version;
    } else {
        rebuilt.guesses << Guess::Speeds << Guess::Version;
    }
    return rebuilt;
}
