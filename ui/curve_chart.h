#pragma once

#include <QChartView>
#include <QStringList>

class QCategoryAxis;
class QLineSeries;
class QMenu;
class QValueAxis;

// Chart1: the old curve (Series1, the advances as loaded, labelled with the
// speeds) and the new curve (Series2, the advances as edited), 60 points
// each from the start, point p belonging to table row p + 1. It draws what
// the curve document holds, exactly the values it is given.
class CurveChart : public QChartView {
    Q_OBJECT

public:
    enum Curve { Old, New };
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

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void relabel();

    QLineSeries *series_[2];
    QCategoryAxis *labelAxis_;
    QValueAxis *valueAxis_;
    QMenu *menu_;
    QStringList labels_;
    QStringList shownCategories_;
    QPointF dragStart_;
};
