#pragma once

#include <QString>
#include <array>

// The texts of one curve, as a curve file holds them; Curve (core/curve.h)
// adds the numbers they stand for.
constexpr int kCurveRows = 60;

// The table's columns as the window numbers them; its row 0 holds their titles.
namespace Col {
constexpr int Number = 0;  // the row number
constexpr int Rpm = 1;     // engine speed
constexpr int Advance = 2; // ignition advance in degrees
constexpr int Pattern = 3; // the inhibit pattern
} // namespace Col

struct RowTexts {
    QString rpm;      // Col::Rpm
    QString advance;  // Col::Advance
    QString pattern;  // Col::Pattern, the inhibit pattern
    bool operator==(const RowTexts &) const = default;
};

struct CurveTexts {
    QString cylinders;        // an item of the cylinders list
    QString shiftRpm;         // the shift-light speed
    QString opening;          // milliseconds, "*" or "#"
    QString dwell;            // milliseconds or degrees, by the opening's mode
    QString inputPolarity;    // the input edge's word
    QString outputPolarity;   // the output edge's word
    QString version;          // the firmware version, as typed
    QString dwellCorrection;  // 0 to 15
    QString transparent;      // the number of transparent ranges, 0 to 15
    std::array<RowTexts, kCurveRows> rows; // rows[0] is table row 1
    bool operator==(const CurveTexts &) const = default;
};

// Speed of table row r (1 to 60) after a reset: 650, 800, ... 9500.
inline QString defaultRpmText(int row) { return QString::number(500 + 150 * row); }
inline const QString kDefaultAdvance = QStringLiteral("1");
inline const QString kDefaultPattern = QStringLiteral("00000000");
