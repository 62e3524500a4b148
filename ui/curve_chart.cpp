#include "ui/curve_chart.h"

#include "ui/window_font.h"

#include <QCategoryAxis>
#include <QContextMenuEvent>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QValueAxis>
#include <cmath>
#include <utility>

namespace {

// Labels closer than this (in pixels) would overlap.
constexpr qreal kLabelSpacing = 44.0;
// How near a point a press takes hold of it, and how far up or down the
// mouse must go before the point moves, in pixels: a click or a
// double-click with a trembling hand pulls nothing.
constexpr qreal kGrabRadius = 6.0;
constexpr qreal kPullThreshold = 3.0;

QLineSeries *makeSeries(const QString &name, const QColor &colour, Qt::PenStyle style = Qt::SolidLine)
{
    auto *series = new QLineSeries;
    series->setObjectName(name);
    series->setPen(QPen(colour, 1.5, style));
    series->setPointsVisible(false);
    return series;
}

} // namespace

CurveChart::CurveChart(QWidget *parent)
    : QChartView(parent),
      series_{makeSeries(QStringLiteral("Series1"), QColor(0, 128, 255)),
              makeSeries(QStringLiteral("Series2"), Qt::red),
              makeSeries(QStringLiteral("Series3"), QColor(0, 140, 0), Qt::DashLine)},
      labelAxis_(new QCategoryAxis),
      valueAxis_(new QValueAxis),
      menu_(new QMenu(this))
{
    setObjectName(QStringLiteral("Chart1"));
    menu_->setObjectName(QStringLiteral("ChartMenu"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);

    // No animations: Qt Charts 6.4 crashes when the speed labels change while
    // an axis animation still runs, and the labels change with every change
    // of the chart's width (a double-click) or of the speeds.
    QChart *c = chart();
    c->setBackgroundRoundness(0);
    c->setMargins(QMargins(2, 0, 4, 0));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setPlotAreaBackgroundVisible(true);
    c->setPlotAreaBackgroundBrush(Qt::white);
    c->legend()->setAlignment(Qt::AlignTop);
    c->legend()->setFont(windowFont(10));
    c->setTitleFont(windowFont(11));

    valueAxis_->setRange(0, 64);
    valueAxis_->setTickCount(5);
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    labelAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    labelAxis_->setRange(0, kPoints - 1);
    for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(labelAxis_), static_cast<QAbstractAxis *>(valueAxis_)}) {
        axis->setLabelsFont(windowFont(9));
    }
    c->addAxis(labelAxis_, Qt::AlignBottom);
    c->addAxis(valueAxis_, Qt::AlignLeft);
    for (QLineSeries *series : series_) {
        for (int p = 0; p < kPoints; ++p)
            series->append(p, 0);
        c->addSeries(series);
        series->attachAxis(labelAxis_);
        series->attachAxis(valueAxis_);
    }
    series_[Comparison]->setVisible(false);
    labels_ = QStringList(kPoints, QString());
    // The labels that fit are worked out once the layout that changed the
    // plot's width has finished, not in the middle of it.
    connect(c, &QChart::plotAreaChanged, this, &CurveChart::relabel, Qt::QueuedConnection);
}

int CurveChart::pointCount() const
{
    return series_[Old]->count();
}

double CurveChart::value(Curve curve, int point) const
{
    return series_[curve]->at(point).y();
}

void CurveChart::setValue(Curve curve, int point, double value)
{
    series_[curve]->replace(point, QPointF(point, value));
}

QString CurveChart::label(int point) const
{
    return labels_.at(point);
}

void CurveChart::setLabel(int point, const QString &label)
{
    if (labels_.at(point) == label)
        return;
    labels_[point] = label;
    relabel();
}

void CurveChart::setValues(Curve curve, const QList<double> &values)
{
    QList<QPointF> points = series_[curve]->points();
    for (int p = 0; p < values.size(); ++p)
        points[p].setY(values[p]);
    series_[curve]->replace(points);
}

void CurveChart::setLabels(const QStringList &labels)
{
    for (int p = 0; p < labels.size(); ++p)
        labels_[p] = labels[p];
    relabel();
}

void CurveChart::setTitles(const QString &chartTitle, const QString &oldTitle, const QString &newTitle)
{
    chart()->setTitle(chartTitle);
    series_[Old]->setName(oldTitle);
    series_[New]->setName(newTitle);
}

void CurveChart::showComparison(const QList<double> &values)
{
    setValues(Comparison, values);
    series_[Comparison]->setVisible(true);
}

void CurveChart::setComparisonTitle(const QString &title)
{
    if (series_[Comparison]->name() != title)
        series_[Comparison]->setName(title);
}

void CurveChart::hideComparison()
{
    series_[Comparison]->setVisible(false);
}

void CurveChart::restoreView()
{
    chart()->zoomReset();
}

QLineSeries *CurveChart::series(Curve curve) const
{
    return series_[curve];
}

void CurveChart::contextMenuEvent(QContextMenuEvent *event)
{
    menu_->popup(event->globalPos());
    event->accept();
}

void CurveChart::mouseDoubleClickEvent(QMouseEvent *event)
{
    QChartView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void CurveChart::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragStart_ = event->position();
        pulled_ = pointAt(event->position());
        if (pulled_ >= 0) {
            pulledFrom_ = value(New, pulled_);
            pulling_ = false;
            event->accept();
            return;
        }
    }
    QChartView::mousePressEvent(event);
}

// A held point follows the mouse up and down by as many degrees as the
// mouse has gone since the press; without a button, the cursor shows
// which point a press would take.
void CurveChart::mouseMoveEvent(QMouseEvent *event)
{
    if (pulled_ < 0) {
        if (event->buttons() == Qt::NoButton && pointAt(event->position()) >= 0)
            viewport()->setCursor(Qt::SizeVerCursor);
        else
            viewport()->unsetCursor();
        QChartView::mouseMoveEvent(event);
        return;
    }
    event->accept();
    // The release went elsewhere (a dialog came up in between): let go.
    if (!(event->buttons() & Qt::LeftButton)) {
        letGo();
        return;
    }
    if (!pulling_ && std::abs(event->position().y() - dragStart_.y()) < kPullThreshold)
        return;
    pulling_ = true;
    emit pointMoved(pulled_, pulledFrom_ + valueAt(event->position()) - valueAt(dragStart_));
}

// A drag down and to the right zooms into the rectangle it spans; a drag up
// or to the left brings back the whole curve on the fixed axes, however far
// the chart was zoomed. The right button opens the menu: the chart view's
// own zoom-out on its release would leave the fixed axes.
void CurveChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (pulled_ >= 0 && event->button() == Qt::LeftButton) {
        event->accept();
        letGo();
        return;
    }
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    const QPointF drag = event->position() - dragStart_;
    const bool unzoom = event->button() == Qt::LeftButton && (drag.x() < 0 || drag.y() < 0);
    QChartView::mouseReleaseEvent(event);
    if (unzoom)
        restoreView();
}

void CurveChart::letGo()
{
    pulled_ = -1;
    if (std::exchange(pulling_, false))
        emit pointReleased();
}

int CurveChart::pointAt(QPointF position) const
{
    QChart *c = chart();
    int nearest = -1;
    qreal distance = kGrabRadius;
    for (int p = fixedPoints_; p < kPoints; ++p) {
        const QPointF inChart = c->mapToPosition(series_[New]->at(p), series_[New]);
        // A zoomed chart leaves some points outside its plot, unseen.
        if (!c->plotArea().adjusted(-1, -1, 1, 1).contains(inChart))
            continue;
        const qreal d = QLineF(mapFromScene(c->mapToScene(inChart)), position).length();
        if (d <= distance) {
            distance = d;
            nearest = p;
        }
    }
    return nearest;
}

double CurveChart::valueAt(QPointF position) const
{
    QChart *c = chart();
    return c->mapToValue(c->mapFromScene(mapToScene(position.toPoint())), series_[New]).y();
}

// Shows every n-th speed label, as many as the plot's width can hold.
void CurveChart::relabel()
{
    const qreal width = chart()->plotArea().width();
    const int fit = std::max(2, static_cast<int>(width / kLabelSpacing));
    const int step = std::max(1, static_cast<int>(std::ceil(qreal(labels_.size() - 1) / (fit - 1))));
    QStringList names;
    QList<int> points;
    for (int p = 0; p < labels_.size(); p += step) {
        // Category names must be unique; equal speeds get invisible suffixes.
        QString name = labels_[p];
        while (names.contains(name))
            name += QChar(0x200B);
        names << name;
        points << p;
    }
    if (names == shownCategories_)
        return;
    for (const QString &category : labelAxis_->categoriesLabels())
        labelAxis_->remove(category);
    for (int i = 0; i < names.size(); ++i)
        labelAxis_->append(names[i], points[i]);
    shownCategories_ = names;
}
