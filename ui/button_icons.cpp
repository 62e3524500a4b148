#include "button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QRadialGradient>

namespace {

// Coordinates are in pixels of the design size; outlines sit on pixel
// centres (x.5) so that one-pixel strokes stay sharp.

QPen roundPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Sets up the painter for lines and open curves.
void useStroke(QPainter &p, const QColor &colour, qreal width)
{
    p.setPen(roundPen(colour, width));
    p.setBrush(Qt::NoBrush);
}

void dot(QPainter &p, const QPointF &centre, qreal radius, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

QRectF circleBox(const QPointF &centre, qreal radius)
{
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

void fillShape(QPainter &p, const QPolygonF &shape, const QBrush &fill, const QColor &outline)
{
    p.setPen(roundPen(outline, 1.0));
    p.setBrush(fill);
    p.drawPolygon(shape);
}

// A white page with a folded top-right corner.
void sheet(QPainter &p, const QRectF &r)
{
    const qreal fold = 3.0;
    const QColor edge(0x70, 0x70, 0x70);
    fillShape(p,
              {{r.left(), r.top()},
               {r.right() - fold, r.top()},
               {r.right(), r.top() + fold},
               {r.right(), r.bottom()},
               {r.left(), r.bottom()}},
              Qt::white, edge);
    fillShape(p,
              {{r.right() - fold, r.top()},
               {r.right() - fold, r.top() + fold},
               {r.right(), r.top() + fold}},
              QColor(0xd8, 0xd8, 0xd8), edge);
}

// A four-pointed sparkle.
void sparkle(QPainter &p, const QPointF &c, qreal radius)
{
    const qreal waist = radius * 0.3;
    fillShape(p,
              {{c.x(), c.y() - radius},
               {c.x() + waist, c.y() - waist},
               {c.x() + radius, c.y()},
               {c.x() + waist, c.y() + waist},
               {c.x(), c.y() + radius},
               {c.x() - waist, c.y() + waist},
               {c.x() - radius, c.y()},
               {c.x() - waist, c.y() - waist}},
              QColor(0xff, 0xe0, 0x30), QColor(0xc0, 0x80, 0x00));
}

// A question mark filling box: a hook over a short stem, then a dot.
void questionMark(QPainter &p, const QRectF &box, const QColor &colour, qreal width)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const QRectF bowl(box.left(), box.top(), w, h * 0.55);
    const qreal middle = box.left() + w * 0.5;
    QPainterPath hook;
    hook.arcMoveTo(bowl, 160);
    hook.arcTo(bowl, 160, -230);
    hook.quadTo(middle, box.top() + h * 0.5, middle, box.top() + h * 0.68);
    useStroke(p, colour, width);
    p.drawPath(hook);
    dot(p, QPointF(middle, box.bottom() - width * 0.5), width * 0.6, colour);
}

// A door frame around a dark opening; the frame is the outer rectangle.
void doorway(QPainter &p, const QRectF &frame)
{
    fillShape(p, frame, QColor(0x8a, 0x5a, 0x2a), QColor(0x4a, 0x2c, 0x10));
    p.fillRect(frame.adjusted(1.5, 1.5, -1.5, 0.5), QColor(0x1c, 0x1c, 0x24));
}

void paintOpenFolder(QPainter &p)
{
    const QColor edge(0x8a, 0x64, 0x14);
    fillShape(p, {{0.5, 2.5}, {5.5, 2.5}, {7, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {0.5, 13.5}},
              QColor(0xd8, 0xa8, 0x38), edge);
    fillShape(p, {{3.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {0.5, 13.5}}, QColor(0xf8, 0xd8, 0x68), edge);
}

void paintFloppyDisk(QPainter &p)
{
    fillShape(p, {{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}},
              QColor(0x30, 0x60, 0xb8), QColor(0x18, 0x30, 0x68));
    fillShape(p, QRectF(4.5, 1.5, 7, 5), QColor(0xc8, 0xcc, 0xd4), QColor(0x50, 0x58, 0x68));
    p.fillRect(QRectF(9, 2.5, 1.5, 3), QColor(0x30, 0x38, 0x48));
    fillShape(p, QRectF(3.5, 8.5, 9, 6), Qt::white, QColor(0x18, 0x30, 0x68));
    useStroke(p, QColor(0x90, 0xa8, 0xd8), 1.0);
    for (qreal y : {10.5, 12.5})
        p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
}

void paintHandWriting(QPainter &p)
{
    sheet(p, QRectF(0.5, 0.5, 11, 15));
    useStroke(p, QColor(0x98, 0x98, 0x98), 1.0);
    for (qreal y : {4.5, 6.5, 8.5})
        p.drawLine(QPointF(3, y), QPointF(7.5, y));
    useStroke(p, QColor(0x20, 0x40, 0xa0), 1.0);
    p.drawLine(QPointF(2.5, 12.5), QPointF(5.5, 11));
    p.drawLine(QPointF(5.5, 11), QPointF(6.5, 12.5));
    // The pen runs from the hand down to the end of the written stroke.
    useStroke(p, QColor(0x20, 0x20, 0x20), 2.5);
    p.drawLine(QPointF(15.5, 2), QPointF(7, 12));
    useStroke(p, QColor(0x50, 0x80, 0xe0), 1.2);
    p.drawLine(QPointF(15.5, 2), QPointF(9, 9.5));
    fillShape(p, {{10, 8}, {12.5, 5.5}, {15.5, 6.5}, {15.5, 11}, {13, 12.5}, {10.5, 11}},
              QColor(0xf4, 0xc0, 0x90), QColor(0xa0, 0x60, 0x30));
}

void paintBlankSheet(QPainter &p)
{
    sheet(p, QRectF(3.5, 1.5, 11, 14));
    sparkle(p, QPointF(4.5, 4.5), 4.5);
}

void paintQuestionMark(QPainter &p)
{
    questionMark(p, QRectF(4.5, 1.5, 9, 15), QColor(0x18, 0x48, 0xc8), 3.0);
}

void paintWakeBall(QPainter &p)
{
    QRadialGradient shine(QPointF(6, 5), 9);
    shine.setColorAt(0, QColor(0xff, 0xfa, 0xb0));
    shine.setColorAt(1, QColor(0xf0, 0xc0, 0x10));
    p.setPen(roundPen(QColor(0xb0, 0x80, 0x00), 1.0));
    p.setBrush(shine);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    questionMark(p, QRectF(5, 3, 6, 10), QColor(0xd0, 0x10, 0x10), 2.0);
}

void paintDoor(QPainter &p)
{
    doorway(p, QRectF(2.5, 0.5, 11, 15));
    // The leaf swings towards the viewer, so its free edge looks taller.
    fillShape(p, {{4, 2}, {10.5, 1}, {10.5, 15.5}, {4, 15.5}}, QColor(0xa8, 0x68, 0x30),
              QColor(0x5a, 0x34, 0x10));
    dot(p, QPointF(9, 8.5), 1, QColor(0xf0, 0xd0, 0x40));
}

void paintGlobe(QPainter &p)
{
    const QPointF centre(8, 8);
    const qreal radius = 7;
    QRadialGradient sea(QPointF(6, 5), 10);
    sea.setColorAt(0, QColor(0x70, 0xb8, 0xf8));
    sea.setColorAt(1, QColor(0x18, 0x50, 0xa8));
    QPainterPath ball;
    ball.addEllipse(centre, radius, radius);
    p.fillPath(ball, sea);

    p.setClipPath(ball);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0xa8, 0x40));
    p.drawPolygon(QPolygonF({{3, 3}, {7, 2}, {8, 5}, {6, 8}, {7, 11}, {5, 13}, {2, 9}}));
    p.drawPolygon(QPolygonF({{10, 6}, {14, 5}, {15, 9}, {12, 13}, {10, 10}}));

    useStroke(p, QColor(0xe0, 0xf0, 0xff, 0xb0), 0.8);
    for (qreal w : {radius * 0.45, radius * 0.9})
        p.drawEllipse(centre, w, radius);
    p.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), 16));
    p.drawLine(QPointF(0, centre.y()), QPointF(16, centre.y()));
    p.setClipping(false);

    useStroke(p, QColor(0x10, 0x30, 0x70), 1.0);
    p.drawEllipse(centre, radius + 0.5, radius + 0.5);
}

void paintTelephone(QPainter &p)
{
    const QColor body(0x20, 0x20, 0x28);
    // The handset: an arched grip with the ear and mouth pieces at its ends.
    QPainterPath grip;
    grip.moveTo(3.5, 12);
    grip.cubicTo(4, 7.5, 12, 7.5, 12.5, 12);
    useStroke(p, body, 2.2);
    p.drawPath(grip);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(0.5, 11, 5.5, 4), 1.5, 1.5);
    p.drawRoundedRect(QRectF(10, 11, 5.5, 4), 1.5, 1.5);

    useStroke(p, body, 1.2);
    for (qreal r : {3.0, 5.5}) {
        const QRectF ring = circleBox(QPointF(8, 4), r);
        p.drawArc(ring, -30 * 16, 60 * 16);
        p.drawArc(ring, 150 * 16, 60 * 16);
    }
}

void paintDownloadArrow(QPainter &p)
{
    const QColor red(0xd8, 0x18, 0x18);
    const qreal radius = 6;
    const int endAngle = 20;
    useStroke(p, red, 2.0);
    p.drawArc(circleBox(QPointF(8, 8), radius), (endAngle + 60) * 16, 300 * 16);
    // The head sits on the arc's end and points along it, into the gap.
    p.save();
    p.translate(8, 8);
    p.rotate(-endAngle);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPolygon(QPolygonF({{radius - 2.5, 0.5}, {radius + 2.5, 0.5}, {radius, -3}}));
    p.restore();

    useStroke(p, red, 2.0);
    p.drawLine(QPointF(8, 4.5), QPointF(8, 8.5));
    dot(p, QPointF(8, 11.2), 1.2, red);
}

void paintGreenTick(QPainter &p)
{
    QPainterPath tick;
    tick.moveTo(3, 9.5);
    tick.lineTo(7.5, 14);
    tick.lineTo(15, 4);
    useStroke(p, QColor(0x10, 0x60, 0x18), 4.0);
    p.drawPath(tick);
    useStroke(p, QColor(0x30, 0xc0, 0x40), 2.2);
    p.drawPath(tick);
}

void paintExitDoorway(QPainter &p)
{
    fillShape(p, QRectF(3.5, 0.5, 11, 4), QColor(0x20, 0xa0, 0x40), QColor(0x10, 0x50, 0x20));
    useStroke(p, Qt::white, 1.0);
    p.drawLine(QPointF(6, 2.5), QPointF(11.5, 2.5));
    p.drawLine(QPointF(10, 1.5), QPointF(11.5, 2.5));
    p.drawLine(QPointF(10, 3.5), QPointF(11.5, 2.5));
    doorway(p, QRectF(3.5, 6.5, 11, 11));
}

using PaintFunction = void (*)(QPainter &);

PaintFunction painterFor(ButtonPicture picture)
{
    switch (picture) {
    case ButtonPicture::OpenFolder: return paintOpenFolder;
    case ButtonPicture::FloppyDisk: return paintFloppyDisk;
    case ButtonPicture::HandWriting: return paintHandWriting;
    case ButtonPicture::BlankSheet: return paintBlankSheet;
    case ButtonPicture::QuestionMark: return paintQuestionMark;
    case ButtonPicture::WakeBall: return paintWakeBall;
    case ButtonPicture::Door: return paintDoor;
    case ButtonPicture::Globe: return paintGlobe;
    case ButtonPicture::Telephone: return paintTelephone;
    case ButtonPicture::DownloadArrow: return paintDownloadArrow;
    case ButtonPicture::GreenTick: return paintGreenTick;
    case ButtonPicture::ExitDoorway: return paintExitDoorway;
    }
    return paintBlankSheet;
}

} // namespace

int buttonIconSize(ButtonPicture picture)
{
    switch (picture) {
    case ButtonPicture::QuestionMark:
    case ButtonPicture::GreenTick:
    case ButtonPicture::ExitDoorway:
        return 18;
    default:
        return 16;
    }
}

QIcon buttonIcon(ButtonPicture picture)
{
    const int size = buttonIconSize(picture);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painterFor(picture)(painter);
    painter.end();
    return QIcon(pixmap);
}
