#pragma once

#include <QString>
#include <array>

// The texts of one curve, as a curve file holds them; Curve (core/curve.h)
// adds the numbers they stand for.
constexpr int kCurveRows = 60;

// The grid's columns; row 0 holds their titles.
namespace Col {
constexpr int Number = 0;  // the row number
constexpr int Rpm = 1;     // engine speed
constexpr int Advance = 2; // ignition advance in degrees
constexpr int Pattern = 3; // the inhibit pattern
} // namespace Col

struct RowTexts {
    QString rpm;      // grid column 1
    QString advance;  // grid column 2
    QString pattern;  // grid column 3, the inhibit pattern
    bool operator==(const RowTexts &) const = default;
};

struct CurveTexts {
    QString cylinders;        // ComboBox1
    QString shiftRpm;         // Edit1
    QString opening;          // Edit2: milliseconds, "*" or "#"
    QString dwell;            // Edit3
    QString inputPolarity;    // ComboBox3
    QString outputPolarity;   // ComboBox4
    QString version;          // EditVerzio, as typed
    QString dwellCorrection;  // CBZaraskorrekcio
    QString transparent;      // CBTransparencia
    std::array<RowTexts, kCurveRows> rows; // rows[0] is table row 1
    bool operator==(const CurveTexts &) const = default;
};

// Speed of table row r (1 to 60) after a reset: 650, 800, ... 9500.
inline QString defaultRpmText(int row) { return QString::number(500 + 150 * row); }
inline const QString kDefaultAdvance = QStringLiteral("1");
inline const QString kDefaultPattern = QStringLiteral("00000000");
