#include "ui/curve_card.h"

#include "core/download_check.h"
#include "core/download_frame.h"
#include "core/number_text.h"
#include "core/platform_error.h"
#include "core/polarity.h"
#include "core/text_file.h"
#include "ui/window_texts.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

namespace {

// The page is laid out in tenths of a millimetre; fonts are sized in the
// same unit, so the PDF and the picture are the same page at any resolution.
constexpr qreal kPageWidth = 2100;
constexpr qreal kPageHeight = 2970;
constexpr qreal kMargin = 150;
constexpr qreal kContentWidth = kPageWidth - 2 * kMargin;
constexpr int kImageDpi = 150;

const QColor kCurveColour = Qt::red; // the window's new curve
const QColor kFrozenShade(0, 0, 0, 30);
const QColor kGridColour(0xd8, 0xd8, 0xd8);

QFont cardFont(int size, bool bold = false, bool mono = false)
{
    QFont font;
    font.setFamilies(mono ? QStringList{QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                                        QStringLiteral("Courier New")}
                          : QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                        QStringLiteral("DejaVu Sans")});
    font.setStyleHint(mono ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(size);
    font.setBold(bold);
    // The same widths at 150 dpi and in the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

class CardPainter {
public:
    CardPainter(QPainter &painter, const CurveCard &card, int language)
        : p_(painter), card_(card), language_(language == 1 ? 1 : 0), texts_(appliedTexts(language)),
          frozen_(frozenRows(card.texts))
    {
    }

    void paint()
    {
        p_.fillRect(QRectF(0, 0, kPageWidth, kPageHeight), Qt::white);
        qreal y = kMargin;
        y = header(y);
        y = parameters(y + 40);
        y = chart(QRectF(kMargin, y + 50, kContentWidth, 940));
        y = table(y + 50);
        frame(y + 60);
    }

private:
    void text(const QRectF &box, const QString &s, const QFont &font, int flags = Qt::AlignLeft | Qt::AlignVCenter)
    {
        p_.setFont(font);
        p_.setPen(Qt::black);
        const QString shown = QFontMetricsF(font, p_.device()).elidedText(s, Qt::ElideMiddle, box.width());
        p_.drawText(box, flags | Qt::TextSingleLine, shown);
    }

    qreal header(qreal y)
    {
        const CardTexts &c = texts_.card;
        text(QRectF(kMargin, y, kContentWidth, 70), c.title, cardFont(56, true));
        y += 90;
        const QString exported = c.exported.arg(card_.exported.toString(c.timeFormat));
        const QFont font = cardFont(34);
        const qreal exportedWidth = QFontMetricsF(font, p_.device()).horizontalAdvance(exported) + 40;
        text(QRectF(kMargin, y, kContentWidth - exportedWidth, 50), c.file.arg(card_.fileName), font);
        text(QRectF(kMargin, y, kContentWidth, 50), exported, font, Qt::AlignRight | Qt::AlignVCenter);
        y += 70;
        p_.setPen(QPen(Qt::black, 3));
        p_.drawLine(QPointF(kMargin, y), QPointF(kPageWidth - kMargin, y));
        return y;
    }

    // The nine parameters in two columns, each under the window's caption.
    qreal parameters(qreal y)
    {
        const WindowTexts &w = texts_.window;
        const CurveTexts &t = card_.texts;
        const std::pair<QString, QString> items[] = {
            {w.Label1, t.cylinders},
            {w.Label2, t.shiftRpm},
            {w.Label3, t.opening},
            {w.Label4, t.dwell},
            {w.Label5, TranslatePolarityWord(t.inputPolarity, language_)},
            {w.Label7, TranslatePolarityWord(t.outputPolarity, language_)},
            {w.Label8, t.version},
            {w.Label9, t.dwellCorrection},
            {w.Label10, t.transparent},
        };
        constexpr int kPerColumn = 5;
        constexpr qreal kLine = 50;
        constexpr qreal kColumn = kContentWidth / 2;
        constexpr qreal kCaption = 520;
        for (int i = 0; i < 9; ++i) {
            const qreal x = kMargin + (i / kPerColumn) * kColumn;
            const qreal top = y + (i % kPerColumn) * kLine;
            text(QRectF(x, top, kCaption - 20, kLine), items[i].first, cardFont(32));
            text(QRectF(x + kCaption, top, kColumn - kCaption - 30, kLine), items[i].second, cardFont(32, true));
        }
        return y + kPerColumn * kLine;
    }

    // The advances as stored, on the window's fixed 0-64 axis.
    qreal chart(const QRectF &area)
    {
        const WindowTexts &w = texts_.window;
        const TextSlots &s = texts_.slotTexts;
        const QFont small = cardFont(26);
        text(QRectF(area.left(), area.top(), area.width(), 50), w.ChartTitle, cardFont(36, true), Qt::AlignCenter);
        text(QRectF(area.left(), area.top(), area.width() / 3, 50), s.MsgColAdvance, small);
        if (frozen_ > 0) {
            const QFontMetricsF metrics(small, p_.device());
            const qreal width = metrics.horizontalAdvance(texts_.card.frozen) + 4; // never elided
            const QRectF swatch(area.right() - width - 70, area.top() + 10, 50, 30);
            p_.fillRect(swatch, kFrozenShade);
            text(QRectF(swatch.right() + 20, area.top(), width, 50), texts_.card.frozen, small);
        }

        const QRectF plot(area.left() + 80, area.top() + 70, area.width() - 100, area.height() - 160);
        // Each row has a slot of its own; its point stands in the middle.
        const qreal step = plot.width() / kCurveRows;
        const auto xOf = [&](int point) { return plot.left() + (point + 0.5) * step; };
        const auto yOf = [&](double degrees) { return plot.bottom() - degrees / 64 * plot.height(); };

        if (frozen_ > 0) {
            p_.fillRect(QRectF(plot.left(), plot.top(), frozen_ * step, plot.height()), kFrozenShade);
        }
        for (int degrees = 0; degrees <= 64; degrees += 8) {
            p_.setPen(QPen(kGridColour, 2));
            p_.drawLine(QPointF(plot.left(), yOf(degrees)), QPointF(plot.right(), yOf(degrees)));
            text(QRectF(area.left(), yOf(degrees) - 25, 65, 50), QString::number(degrees), small,
                 Qt::AlignRight | Qt::AlignVCenter);
        }
        p_.setPen(QPen(Qt::black, 3));
        p_.drawRect(plot);
        // Every row has a tick; every fifth row and the last are labelled
        // with their speeds.
        for (int point = 0; point < kCurveRows; ++point) {
            const bool labelled = point % 5 == 0 || point == kCurveRows - 1;
            p_.setPen(QPen(Qt::black, 2));
            p_.drawLine(QPointF(xOf(point), plot.bottom()), QPointF(xOf(point), plot.bottom() + (labelled ? 18 : 9)));
            if (labelled)
                text(QRectF(xOf(point) - 2 * step, plot.bottom() + 20, 4 * step, 40), card_.texts.rows[point].rpm,
                     small, Qt::AlignCenter);
        }
        text(QRectF(plot.left(), plot.bottom() + 60, plot.width(), 40), s.MsgColRpm, small,
             Qt::AlignRight | Qt::AlignVCenter);

        // A text that is not a number breaks the line there.
        p_.save();
        p_.setClipRect(plot);
        QPainterPath curve;
        bool drawing = false;
        QList<std::pair<QPointF, bool>> points;
        for (int point = 0; point < kCurveRows; ++point) {
            const std::optional<double> advance = parseNumber(card_.texts.rows[point].advance);
            if (!advance) {
                drawing = false;
                continue;
            }
            const QPointF at(xOf(point), yOf(*advance));
            if (drawing)
                curve.lineTo(at);
            else
                curve.moveTo(at);
            drawing = true;
            points << std::pair{at, point < frozen_};
        }
        p_.setPen(QPen(kCurveColour, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(curve);
        // Frozen rows are drawn as open marks.
        for (const auto &[at, frozen] : points) {
            p_.setPen(QPen(kCurveColour, 4));
            p_.setBrush(frozen ? QBrush(Qt::white) : QBrush(kCurveColour));
            p_.drawEllipse(at, 8, 8);
        }
        p_.restore();
        return area.bottom();
    }

    // The 60 rows in three blocks of twenty, side by side.
    qreal table(qreal y)
    {
        const TextSlots &s = texts_.slotTexts;
        constexpr int kBlocks = 3;
        constexpr int kBlockRows = kCurveRows / kBlocks;
        constexpr qreal kGap = 40;
        constexpr qreal kBlockWidth = (kContentWidth - (kBlocks - 1) * kGap) / kBlocks;
        constexpr qreal kRowHeight = 40;
        const qreal widths[] = {60, 145, 175, kBlockWidth - 380};
        const QString titles[] = {s.MsgColNo, s.MsgColRpm, s.MsgColAdvance, s.MsgColInhibit};
        for (int block = 0; block < kBlocks; ++block) {
            const qreal left = kMargin + block * (kBlockWidth + kGap);
            const auto cells = [&](qreal top, const QString (&values)[4], const QFont &font, const QFont &pattern) {
                qreal x = left;
                for (int c = 0; c < 4; ++c) {
                    text(QRectF(x + 5, top, widths[c] - 10, kRowHeight), values[c], c == 3 ? pattern : font,
                         Qt::AlignCenter);
                    x += widths[c];
                }
            };
            const QFont title = cardFont(24, true);
            cells(y, titles, title, title);
            p_.setPen(QPen(Qt::black, 3));
            p_.drawLine(QPointF(left, y + kRowHeight), QPointF(left + kBlockWidth, y + kRowHeight));
            for (int i = 0; i < kBlockRows; ++i) {
                const int row = block * kBlockRows + i + 1;
                const qreal top = y + (i + 1) * kRowHeight;
                if (row <= frozen_)
                    p_.fillRect(QRectF(left, top, kBlockWidth, kRowHeight), kFrozenShade);
                else if (i % 2 == 1)
                    p_.fillRect(QRectF(left, top, kBlockWidth, kRowHeight), QColor(0xf3, 0xf3, 0xf3));
                const RowTexts &r = card_.texts.rows[row - 1];
                const QString values[] = {QString::number(row), r.rpm, r.advance, r.pattern};
                cells(top, values, cardFont(28), cardFont(28, false, true));
            }
        }
        return y + (kBlockRows + 1) * kRowHeight;
    }

    // What a download sends, or why it may not.
    void frame(qreal y)
    {
        const CardTexts &c = texts_.card;
        p_.setPen(QPen(Qt::black, 3));
        p_.drawLine(QPointF(kMargin, y), QPointF(kPageWidth - kMargin, y));
        const QList<Refusal> refusals = downloadRefusals(card_.texts, card_.versionFlag);
        const QFont font = cardFont(32, true);
        if (!refusals.isEmpty()) {
            // A file's text can be long: the reason wraps rather than lose its end.
            p_.setFont(font);
            p_.drawText(QRectF(kMargin, y + 20, kContentWidth, 120), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                        c.notDownloadable.arg(refusalText(refusals.first(), c.refusal)));
            return;
        }
        const QByteArray values = BuildDownloadFrame(card_.texts, card_.versionFlag);
        text(QRectF(kMargin, y + 20, kContentWidth, 60),
             c.frame.arg(values.size()).arg(values.size() * kGroupBytes), font);
        text(QRectF(kMargin, y + 80, kContentWidth, 60), c.digest.arg(frameDigest(values)), cardFont(32, false, true));
    }

    QPainter &p_;
    const CurveCard &card_;
    int language_;
    const LanguageTexts &texts_;
    int frozen_;
};

// Paints the page on a device of `dpi` dots per inch.
void paintPage(QPainter &painter, qreal dpi, const CurveCard &card, int language)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dpi / 254, dpi / 254);
    CardPainter(painter, card, language).paint();
}

} // namespace

std::optional<CardFormat> cardFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return CardFormat::Pdf;
    if (suffix == QLatin1String("png"))
        return CardFormat::Png;
    return std::nullopt;
}

QByteArray curveCardPdf(const CurveCard &card, int language)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    writer.setCreator(QStringLiteral("igcedit"));
    writer.setTitle(card.fileName);
    QPainter painter(&writer);
    paintPage(painter, writer.resolution(), card, language);
    painter.end();
    return bytes;
}

QImage curveCardImage(const CurveCard &card, int language)
{
    const QSizeF inches = QPageSize(QPageSize::A4).size(QPageSize::Millimeter) / 25.4;
    QImage image(qRound(inches.width() * kImageDpi), qRound(inches.height() * kImageDpi), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(kImageDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    paintPage(painter, kImageDpi, card, language);
    return image;
}

void writeCurveCard(const QString &path, const CurveCard &card, int language)
{
    const std::optional<CardFormat> format = cardFormat(path);
    if (!format)
        throw PlatformError(appliedTexts(language).card.badName.arg(path));
    QByteArray bytes;
    if (*format == CardFormat::Pdf) {
        bytes = curveCardPdf(card, language);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        curveCardImage(card, language).save(&buffer, "PNG");
    }
    writeTextFile(path, bytes);
}
