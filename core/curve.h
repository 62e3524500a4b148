#pragma once

#include "core/curve_texts.h"

#include <array>
#include <cstdint>
#include <optional>

// The nine parameters that travel with a curve, in the order of the file.
enum class Param {
    Cylinders, ShiftRpm, Opening, Dwell, InputPolarity, OutputPolarity, Version, DwellCorrection, Transparent,
};
constexpr int kParams = 9;
constexpr std::array<Param, kParams> kAllParams = {
    Param::Cylinders,      Param::ShiftRpm, Param::Opening,         Param::Dwell,      Param::InputPolarity,
    Param::OutputPolarity, Param::Version,  Param::DwellCorrection, Param::Transparent};

// One curve: the 60 rows and the nine parameters as typed (a list's
// parameter as the list shows its item), with the numbers the texts stand
// for, read once, whenever a text is set. Rows are 1 to 60, columns Col::Rpm,
// Col::Advance and Col::Pattern.
class Curve {
public:
    Curve() = default;
    // A curve file's texts, every number read. Not explicit: igctool hands
    // a file's texts to the check and the frame as they are.
    Curve(const CurveTexts &texts);

    const CurveTexts &texts() const { return texts_; }
    const QString &text(Param param) const;
    const QString &cell(int column, int row) const;
    void setText(Param param, const QString &text);
    void setCell(int column, int row, const QString &text);

    // What a text stands for: a number read with the comma, a pattern's
    // value in the pattern column; nothing for a text that is none.
    std::optional<double> number(Param param) const { return params_[index(param)]; }
    std::optional<double> cellNumber(int column, int row) const { return cells_[row - 1][column - 1]; }
    // As the checks read them: -1 for a text that is none.
    double reading(Param param) const { return number(param).value_or(-1); }
    double cellReading(int column, int row) const { return cellNumber(column, row).value_or(-1); }
    // The firmware version in ten-thousandths, read as the version field
    // reads it (a point counts as the comma; not a number: 0).
    std::int64_t versionValue() const { return version_; }

    // The table reset: every advance 1, every pattern 00000000, the default
    // speeds when asked for; no cylinders, shift-light speed, opening, dwell
    // or polarities. The version and the two options stay.
    void reset(bool defaultSpeeds);

    bool operator==(const Curve &other) const { return texts_ == other.texts_; }

private:
    static std::size_t index(Param param) { return static_cast<std::size_t>(param); }

    CurveTexts texts_;
    std::array<std::optional<double>, kParams> params_{};
    std::array<std::array<std::optional<double>, 3>, kCurveRows> cells_{};
    std::int64_t version_ = 0;
};
