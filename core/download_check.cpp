#include "core/download_check.h"

#include "core/cell_rules.h"
#include "core/download_frame.h"
#include "core/number_text.h"
#include "core/polarity.h"

namespace {

using Kind = Refusal::Kind;

bool isPolarityWord(const QString &text)
{
    using namespace Polarity;
    return text == RisingHu || text == FallingHu || text == RisingEn || text == FallingEn;
}

// Option lists hold the whole numbers 0 to 15 as the program writes them.
bool isOptionItem(const QString &text)
{
    bool whole = false;
    const int value = text.toInt(&whole);
    return whole && QString::number(value) == text && Ranges::Option.contains(value);
}

// Why a number text fails a range: missing, not a number, or outside.
Refusal numberRefusal(CurveField field, int row, const QString &text, std::optional<double> value,
                      const ValueRange &range)
{
    if (text.isEmpty())
        return {field, Kind::Empty, row, text};
    if (!value)
        return {field, Kind::NotANumber, row, text};
    return {field, Kind::OutOfRange, row, text, range};
}

class RefusalList {
public:
    QList<Refusal> list;

    void number(CurveField field, const QString &text, std::optional<double> value, const ValueRange &range,
                int row = 0)
    {
        if (!inSingleRange(value.value_or(-1), range))
            list << numberRefusal(field, row, text, value, range);
    }
    template <typename Rule>
    void choice(CurveField field, const QString &text, Rule isItem)
    {
        if (text.isEmpty())
            list << Refusal{field, Kind::Empty, 0, text};
        else if (!isItem(text))
            list << Refusal{field, Kind::NotAChoice, 0, text};
    }
    // A number outside 0..15 says so; any other text is no item.
    void option(CurveField field, const QString &text, std::optional<double> value)
    {
        if (value && !Ranges::Option.contains(*value))
            list << Refusal{field, Kind::OutOfRange, 0, text, Ranges::Option};
        else
            choice(field, text, isOptionItem);
    }
};

QString numberText(double value)
{
    return QString::number(value).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString choices(CurveField field, const RefusalWords &words)
{
    switch (field) {
    case CurveField::Cylinders:
        return words.oneOf.arg(kCylinderItems.join(QStringLiteral(", ")));
    case CurveField::InputPolarity:
    case CurveField::OutputPolarity:
        return words.oneOf.arg(QStringList{Polarity::RisingHu, Polarity::FallingHu, Polarity::RisingEn,
                                           Polarity::FallingEn}.join(QStringLiteral(", ")));
    default:
        break;
    }
    return words.wholeOption;
}

// Whole-text match, letter case ignored, as the window's lists find items.
QString selectItem(const QStringList &items, const QString &text)
{
    for (const QString &item : items) {
        if (item.compare(text, Qt::CaseInsensitive) == 0)
            return item;
    }
    return text;
}

} // namespace

QList<Refusal> downloadRefusals(const Curve &curve, bool versionFlag)
{
    const CurveTexts &t = curve.texts();
    RefusalList refuse;
    refuse.choice(CurveField::Cylinders, t.cylinders, [](const QString &s) { return kCylinderItems.contains(s); });
    refuse.number(CurveField::ShiftRpm, t.shiftRpm, curve.number(Param::ShiftRpm), Ranges::Rpm);
    const ControlMode mode = controlMode(t.opening);
    if (mode == ControlMode::Time)
        refuse.number(CurveField::Opening, t.opening, curve.number(Param::Opening), Ranges::OpeningTime);
    const ValueRange &dwellRange = dwellRule(mode).range;
    if (!inSingleRange(curve.reading(Param::Dwell), dwellRange)) {
        Refusal dwell = numberRefusal(CurveField::Dwell, 0, t.dwell, curve.number(Param::Dwell), dwellRange);
        dwell.mode = mode;
        refuse.list << dwell;
    }
    refuse.choice(CurveField::InputPolarity, t.inputPolarity, isPolarityWord);
    refuse.choice(CurveField::OutputPolarity, t.outputPolarity, isPolarityWord);
    // Without these the options value cannot be formed.
    if (versionFlag) {
        refuse.option(CurveField::DwellCorrection, t.dwellCorrection, curve.number(Param::DwellCorrection));
        refuse.option(CurveField::Transparent, t.transparent, curve.number(Param::Transparent));
    }
    // A longer period would reach the module cut to 16 bits.
    if (kCylinderItems.contains(t.cylinders) && inSingleRange(curve.reading(Param::ShiftRpm), Ranges::Rpm)) {
        const double period = shiftPeriod(curve);
        if (period > 65535)
            refuse.list << Refusal{CurveField::ShiftPeriod, Kind::TooLong, 0, QString::number(period, 'f', 0)};
    }
    for (int r = 1; r <= kCurveRows; ++r) {
        refuse.number(CurveField::Rpm, curve.cell(Col::Rpm, r), curve.cellNumber(Col::Rpm, r), Ranges::Rpm, r);
        refuse.number(CurveField::Advance, curve.cell(Col::Advance, r), curve.cellNumber(Col::Advance, r),
                      Ranges::Advance, r);
        if (const QString &pattern = curve.cell(Col::Pattern, r); !curve.cellNumber(Col::Pattern, r))
            refuse.list << Refusal{CurveField::Pattern, pattern.isEmpty() ? Kind::Empty : Kind::NotAPattern, r, pattern};
    }
    return refuse.list;
}

std::optional<Refusal> cellRefusal(int column, int row, const QString &text)
{
    if (isValidCell(column, text))
        return std::nullopt;
    switch (column) {
    case Col::Rpm:
        return numberRefusal(CurveField::Rpm, row, text, parseNumber(text), Ranges::Rpm);
    case Col::Advance:
        return numberRefusal(CurveField::Advance, row, text, parseNumber(text), Ranges::Advance);
    default:
        break;
    }
    return Refusal{CurveField::Pattern, text.isEmpty() ? Kind::Empty : Kind::NotAPattern, row, text};
}

const RefusalWords &englishRefusalWords()
{
    static const RefusalWords words{
        QStringLiteral("row %1: "),
        {QStringLiteral("cylinders"), QStringLiteral("shift-light speed"), QStringLiteral("opening time"),
         QStringLiteral("dwell"), QStringLiteral("input edge polarity"), QStringLiteral("output edge polarity"),
         QStringLiteral("dwell correction"), QStringLiteral("transparent ranges"),
         QStringLiteral("shift-light period"), QStringLiteral("speed"), QStringLiteral("advance"),
         QStringLiteral("inhibit pattern")},
        QStringLiteral("%1 is empty"),
        QStringLiteral("%1 %2 is not a number"),
        QStringLiteral("%1 %2 is outside %3 – %4"),
        {QStringLiteral(" in wide-angle mode (opening *)"), QStringLiteral(" in narrow-angle mode (opening #)"),
         QStringLiteral(" in time mode")},
        QStringLiteral("%1 %2 is not eight characters 0 or 1"),
        QStringLiteral("%1 %2 is not %3"),
        QStringLiteral("one of %1"),
        QStringLiteral("a whole number from 0 to 15"),
        QStringLiteral("%1 %2 does not fit 16 bits (cylinders × shift-light speed must be above 1144)"),
    };
    return words;
}

// The curve card's words in Hungarian, and igctool's: the fields lower-case
// as the window's column titles and captions name them.
const RefusalWords &hungarianRefusalWords()
{
    static const RefusalWords words{
        QStringLiteral("%1. sor: "),
        {QStringLiteral("hengerszám"), QStringLiteral("váltásjelző fordulatszám"), QStringLiteral("nyitási idő"),
         QStringLiteral("zárás"), QStringLiteral("vezérlő él polaritás"), QStringLiteral("kimeneti polaritás"),
         QStringLiteral("zárásidő korrekció"), QStringLiteral("transzparens sávok"),
         QStringLiteral("váltásjelző periódus"), QStringLiteral("fordulatszám"), QStringLiteral("előgyújtás"),
         QStringLiteral("tiltás")},
        QStringLiteral("%1: üres"),
        QStringLiteral("%1: %2 nem szám"),
        QStringLiteral("%1: %2 nem esik %3 – %4 közé"),
        {QStringLiteral(" széles szögű módban (nyitás *)"), QStringLiteral(" keskeny szögű módban (nyitás #)"),
         QStringLiteral(" idő módban")},
        QStringLiteral("%1: %2 nem nyolc 0 vagy 1 karakter"),
        QStringLiteral("%1: %2 nem %3"),
        QStringLiteral("ezek egyike: %1"),
        QStringLiteral("0 és 15 közötti egész szám"),
        QStringLiteral("%1: %2 nem fér el 16 biten (a hengerszám × váltásjelző fordulatszám 1144 fölött legyen)"),
    };
    return words;
}

QString refusalText(const Refusal &r, const RefusalWords &words)
{
    const QString where = r.row > 0 ? words.row.arg(r.row) : QString();
    const QString field = words.fields[static_cast<std::size_t>(r.field)];
    const QString quoted = QLatin1Char('"') + r.text + QLatin1Char('"');
    switch (r.kind) {
    case Kind::Empty:
        return where + words.empty.arg(field);
    case Kind::NotANumber:
        return where + words.notANumber.arg(field, quoted);
    case Kind::OutOfRange:
        return where + words.outOfRange.arg(field, r.text, numberText(r.range.low), numberText(r.range.high))
            + (r.field == CurveField::Dwell ? words.dwellModes[static_cast<std::size_t>(r.mode)] : QString());
    case Kind::NotAPattern:
        return where + words.notAPattern.arg(field, quoted);
    case Kind::NotAChoice:
        return where + words.notAChoice.arg(field, quoted, choices(r.field, words));
    case Kind::TooLong:
        break;
    }
    return words.tooLong.arg(field, r.text);
}

int frozenRows(const CurveTexts &texts)
{
    return isOptionItem(texts.transparent) ? texts.transparent.toInt() : 0;
}

FileDownload fileDownload(const CurveTexts &file)
{
    static const QStringList polarityItems = {Polarity::FallingHu, Polarity::RisingHu};
    static const QStringList optionItems = [] {
        QStringList items;
        for (int n = 0; n <= 15; ++n)
            items << QString::number(n);
        return items;
    }();
    FileDownload d{file, versionOptions(file.version, file.opening).flag};
    CurveTexts &t = d.texts;
    t.cylinders = selectItem(kCylinderItems, t.cylinders);
    t.inputPolarity = selectItem(polarityItems, TranslatePolarityWord(t.inputPolarity, 0));
    t.outputPolarity = selectItem(polarityItems, TranslatePolarityWord(t.outputPolarity, 0));
    t.dwellCorrection = selectItem(optionItems, TranslatePolarityWord(t.dwellCorrection, 0));
    t.transparent = selectItem(optionItems, TranslatePolarityWord(t.transparent, 0));
    return d;
}
