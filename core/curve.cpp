#include "core/curve.h"

#include "core/cell_rules.h"
#include "core/field_rules.h"
#include "core/number_text.h"

namespace {

// Where each parameter's text lives in the file's texts, in Param order.
constexpr std::array<QString CurveTexts::*, kParams> kParamTexts = {
    &CurveTexts::cylinders, &CurveTexts::shiftRpm,      &CurveTexts::opening,
    &CurveTexts::dwell,     &CurveTexts::inputPolarity, &CurveTexts::outputPolarity,
    &CurveTexts::version,   &CurveTexts::dwellCorrection, &CurveTexts::transparent};

constexpr std::array<QString RowTexts::*, 3> kCellTexts = {&RowTexts::rpm, &RowTexts::advance, &RowTexts::pattern};

} // namespace

Curve::Curve(const CurveTexts &texts)
{
    for (const Param param : kAllParams)
        setText(param, texts.*kParamTexts[index(param)]);
    for (int row = 1; row <= kCurveRows; ++row) {
        for (int column = Col::Rpm; column <= Col::Pattern; ++column)
            setCell(column, row, texts.rows[row - 1].*kCellTexts[column - 1]);
    }
}

const QString &Curve::text(Param param) const
{
    return texts_.*kParamTexts[index(param)];
}

const QString &Curve::cell(int column, int row) const
{
    return texts_.rows[row - 1].*kCellTexts[column - 1];
}

void Curve::setText(Param param, const QString &text)
{
    texts_.*kParamTexts[index(param)] = text;
    params_[index(param)] = parseNumber(text);
    if (param == Param::Version)
        version_ = versionFieldValue(text);
}

void Curve::setCell(int column, int row, const QString &text)
{
    texts_.rows[row - 1].*kCellTexts[column - 1] = text;
    cells_[row - 1][column - 1] = ::cellNumber(column, text);
}

void Curve::reset(bool defaultSpeeds)
{
    for (int row = 1; row <= kCurveRows; ++row) {
        if (defaultSpeeds)
            setCell(Col::Rpm, row, defaultRpmText(row));
        setCell(Col::Advance, row, kDefaultAdvance);
        setCell(Col::Pattern, row, kDefaultPattern);
    }
    for (const Param param : {Param::Cylinders, Param::ShiftRpm, Param::Opening, Param::Dwell, Param::InputPolarity,
                              Param::OutputPolarity})
        setText(param, QString());
}
