#pragma once

#include "core/curve.h"
#include "core/field_rules.h"
#include "core/value_ranges.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The items of the cylinders list; there is no 7.
inline const QStringList kCylinderItems = {"1", "2", "3", "4", "5", "6", "8"};

// What the check looks at, as a user knows it.
enum class CurveField {
    Cylinders, ShiftRpm, Opening, Dwell, InputPolarity, OutputPolarity,
    DwellCorrection, Transparent, ShiftPeriod, Rpm, Advance, Pattern,
};

// One reason why the table and the parameters may not be sent.
struct Refusal {
    enum class Kind {
        Empty,
        NotANumber,
        OutOfRange,  // a number outside `range`
        NotAPattern, // not eight characters 0 or 1
        NotAChoice,  // none of the items of its list
        TooLong,     // the shift-light period does not fit 16 bits
    };
    CurveField field;
    Kind kind;
    int row = 0;       // 1 to 60 for the table's columns, else 0
    QString text;      // as given; for TooLong the period
    ValueRange range{};
    ControlMode mode = ControlMode::Time; // the dwell's range belongs to it
};

// Every reason why the table and the parameters may not be sent, the
// parameters first, then the rows, each row's columns in order:
//   cylinders, both polarities: one of the list's items;
//   shift-light speed 600..18000; in time mode opening 0,2..2;
//   dwell by mode (wide 50..510, narrow 160..200, time 0,5..10);
//   with the version flag, both options whole numbers 0..15;
//   the shift-light period P fits the 16 bits the module reads
//   (cylinders x speed above 1144);
//   speeds 600..18000, advances 0,5..63,5, patterns valid (all 60 rows).
// Numbers are compared in single precision, bounds included; a text that is
// not a number reads as -1 and fails.
QList<Refusal> downloadRefusals(const Curve &curve, bool versionFlag);

// Whether the table and the parameters may be sent.
inline bool CheckDownloadData(const Curve &curve, bool versionFlag)
{
    return downloadRefusals(curve, versionFlag).isEmpty();
}

// Why a cell fails its column's rule (Col::Rpm, Col::Advance, Col::Pattern),
// or nothing when it passes.
std::optional<Refusal> cellRefusal(int column, int row, const QString &text);

// The words a refusal is told in, English or Hungarian: igctool's by its
// locale, the curve card's by the window's language. %1 is the field's name,
// %2 the text it holds.
struct RefusalWords {
    QString row;                      // "row %1: ", before a column's refusal
    std::array<QString, 12> fields;   // by CurveField, in its order
    QString empty;                    // "%1 is empty"
    QString notANumber;               // %2 quoted
    QString outOfRange;               // %3 and %4 the bounds
    std::array<QString, 3> dwellModes; // after a dwell's range, by ControlMode
    QString notAPattern;              // %2 quoted
    QString notAChoice;               // %2 quoted, %3 oneOf or wholeOption
    QString oneOf;                    // %1 the items
    QString wholeOption;
    QString tooLong;                  // %2 the period
};
const RefusalWords &englishRefusalWords();
const RefusalWords &hungarianRefusalWords();

// As a user reads it: "row 17: advance 70 is outside 0,5 – 63,5".
QString refusalText(const Refusal &refusal, const RefusalWords &words = englishRefusalWords());

// The rows 1 to n that the transparent ranges freeze: n is the ranges' item
// ("0" to "15"); any other text freezes none.
int frozenRows(const CurveTexts &texts);

// A curve file as the window's download sees it once the window has loaded
// it: each list takes the item whose whole text matches, letter case
// ignored, the polarity words first brought into Hungarian, the window's
// first language; the version flag follows the version line. A text that no
// item matches stays as it is, and the check refuses it where the window
// would have no choice.
struct FileDownload {
    CurveTexts texts;
    bool versionFlag = false;
};
FileDownload fileDownload(const CurveTexts &file);
