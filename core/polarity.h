#pragma once

#include <QString>

// The edge polarity words, in the two languages the window speaks. A curve
// file holds them as the window showed them when it was saved.
namespace Polarity {
inline const QString RisingHu = QStringLiteral("Felfutó");
inline const QString FallingHu = QStringLiteral("Lefutó");
inline const QString RisingEn = QStringLiteral("Rising");
inline const QString FallingEn = QStringLiteral("Falling");
} // namespace Polarity

// A rising edge in either language; any other text counts as falling.
bool isRisingPolarity(const QString &word);

// Polarity words of a file written in the other language are brought into
// the current one (0 Hungarian, 1 English); every other text is returned
// unchanged.
QString TranslatePolarityWord(const QString &word, int language);
