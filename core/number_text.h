#pragma once

#include "core/platform_error.h"
#include "core/value_ranges.h"

#include <QString>
#include <cstdint>
#include <optional>

// Numbers in cells, fields and files use the comma as decimal separator,
// whatever the system locale says: "0,5". A point is not a separator, so
// "0.5" is not a number. Blanks around the number and an exponent
// ("1,5e3") are accepted.
std::optional<double> parseNumber(const QString &text);

// A number as the window writes it, with the comma and at most `decimals`
// fraction digits, trailing zeros dropped: "0,9984", "21", "-3,5".
QString decimalText(double value, int decimals);

// The reading every check uses: a text that is not a number reads as -1,
// which fails every range check.
double readNumber(const QString &text);

// The module's own checks compare in single precision: the text's reading,
// rounded to a float, lies within the range.
bool inSingleRange(double reading, const ValueRange &range);
bool inSingleRange(const QString &text, const ValueRange &range);

// The reading that has no default: a text that is not a number raises the
// platform's conversion error, conversionError(text).
double convertNumber(const QString &text);
PlatformError conversionError(const QString &text);

// Firmware versions are fixed-point numbers with four fraction digits, held
// as a count of ten-thousandths (8,3 is 83000). A text that is not a number,
// or is out of range, gives the fallback.
std::int64_t parseVersion(const QString &text, std::int64_t fallback = 0);

// The shortest text of a version value: "8,3", "9", "0", "-1,2345".
QString versionText(std::int64_t tenThousandths);
