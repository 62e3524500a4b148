#pragma once

#include <QFont>

// The windows' "MS Sans Serif" at a pixel size; where it is missing, a font
// of Arial's widths keeps the captions inside their places.
inline QFont windowFont(int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(pixels);
    return font;
}
