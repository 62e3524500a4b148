#pragma once

#include <QChartView>
#include <QStringList>

class QCategoryAxis;
class QLineSeries;
class QMenu;
class QValueAxis;

// Chart1: the old curve (Series1, the advances as loaded, labelled with the
// speeds) and the new curve (Series2, the advances as edited), 60 points
// each from the start, point p belonging to table row p + 1, and, while the
// user compares, a third, dashed curve of another file's advances. It draws
// what it is given, exactly.
//
// A left press within a few pixels of a point of the new curve and a drag
// up or down pulls that point: pointMoved() says where to, pointReleased()
// that the user let go. A press and release without moving pulls nothing.
// A press anywhere else draws the rubber band that zooms.
class CurveChart : public QChartView {
    Q_OBJECT

public:
    enum Curve { Old, New, Comparison };
    static constexpr int kPoints = 60;

    explicit CurveChart(QWidget *parent = nullptr);

    int pointCount() const;
    double value(Curve curve, int point) const;
    void setValue(Curve curve, int point, double value);
    QString label(int point) const;
    void setLabel(int point, const QString &label);
    // Sets points 0 to values.size() - 1 (or labels.size() - 1) in one go.
    void setValues(Curve curve, const QList<double> &values);
    void setLabels(const QStringList &labels);

    void setTitles(const QString &chartTitle, const QString &oldTitle, const QString &newTitle);

    // The comparison curve, shown with its title in the legend, or hidden.
    void showComparison(const QList<double> &values);
    void setComparisonTitle(const QString &title);
    void hideComparison();

    // Points 0 to count - 1 cannot be pulled (the rows the transparent
    // ranges fix).
    void setFixedPoints(int count) { fixedPoints_ = count; }

    // The right-click menu, in the window's language; the window fills it,
    // "restore view" first.
    QMenu *menu() const { return menu_; }
    // The fixed 0-64 axis and all 60 points, however far it was zoomed.
    void restoreView();

    QLineSeries *series(Curve curve) const;
    QCategoryAxis *labelAxis() const { return labelAxis_; }
    QValueAxis *valueAxis() const { return valueAxis_; }

signals:
    // A double-click of the left button.
    void doubleClicked();
    // The new curve's `point` is being pulled to `value` degrees, as the
    // mouse says: neither rounded nor bounded.
    void pointMoved(int point, double value);
    void pointReleased();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void relabel();
    // The point of the new curve that a press at `position` (in the
    // viewport) takes hold of, or -1.
    int pointAt(QPointF position) const;
    double valueAt(QPointF position) const;
    // The held point is let go; pointReleased() when it was moved.
    void letGo();

    QLineSeries *series_[3];
    QCategoryAxis *labelAxis_;
    QValueAxis *valueAxis_;
    QMenu *menu_;
    QStringList labels_;
    QStringList shownCategories_;
    QPointF dragStart_;
    int fixedPoints_ = 0;
    int pulled_ = -1;      // the point held by the left button, or -1
    double pulledFrom_ = 0; // its value when it was taken hold of
    bool pulling_ = false; // the mouse has moved it
};
