#pragma once

#include "core/curve_texts.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <optional>

// One A4 page that a workshop files or hands over with a curve: the file's
// name and the time of export, the nine parameters under the window's
// captions, the chart of the curve on the fixed 0-64 axis, the 60 rows, and
// the frame's value count with its sha256 as igctool's download receipt
// prints it (so a printed card can be matched to a download), or why the
// curve may not be downloaded. Rows frozen by the transparent ranges are
// shaded in the chart and the table.
struct CurveCard {
    QString fileName;
    QDateTime exported;
    CurveTexts texts; // as the download reads them
    bool versionFlag = false;
};

enum class CardFormat { Pdf, Png };

// By the name's extension, letter case ignored; nothing for any other.
std::optional<CardFormat> cardFormat(const QString &path);

// The card in a language (1 English, any other index Hungarian, as the
// window's texts go): a one-page PDF, or a picture of the page at 150 dpi.
QByteArray curveCardPdf(const CurveCard &card, int language);
QImage curveCardImage(const CurveCard &card, int language);

// Writes the card in the format the name's extension gives, through the same
// atomic writer as the curve files: a failed write leaves no half a card.
// Raises PlatformError when the name ends in neither .pdf nor .png or the
// write fails.
void writeCurveCard(const QString &path, const CurveCard &card, int language);
