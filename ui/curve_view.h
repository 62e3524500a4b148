#pragma once

#include "core/curve_document.h"

#include <QObject>
#include <array>

class CurveChart;
class QWidget;
class StringGrid;

// The grid, the parameter fields and lists, the chart and the download
// button as views of the curve document. Each shows what the document holds
// and follows its changes; what the user types or picks goes into the
// document at once, and the handlers decide when it is committed.
class CurveView : public QObject {
public:
    struct Widgets {
        StringGrid *grid;
        CurveChart *chart;
        std::array<QWidget *, kParams> params; // a line edit or a list for each, in Param order
        QWidget *download;
    };

    CurveView(CurveDocument &document, const Widgets &widgets);

private:
    void show(const CurveChange &change);
    void showParam(Param param);

    CurveDocument &document_;
    Widgets widgets_;
};
