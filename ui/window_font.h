#pragma once

#include <QFont>

// The windows' "MS Sans Serif" at a pixel size; where it is missing, a font
// of Arial's widths comes closest to it. A caption that a wider stand-in
// would push under its control is drawn smaller (main_window_layout.cpp).
inline QFont windowFont(int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(pixels);
    return font;
}
