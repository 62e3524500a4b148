#pragma once

#include <QString>

// An inhibit pattern is exactly eight characters "0" or "1"; the first is
// bit 7. Gives 0 to 255, or -1 for any other text.
int ParseInhibitPattern(const QString &text);

// The eight characters of a pattern value 0 to 255: 160 is "10100000".
QString inhibitPatternText(int value);
