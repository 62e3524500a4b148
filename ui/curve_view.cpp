#include "ui/curve_view.h"

#include "ui/curve_chart.h"
#include "ui/string_grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// A change of every part, to show a document whole.
CurveChange everything()
{
    CurveChange all;
    for (int row = 1; row <= kCurveRows; ++row) {
        for (int column = Col::Rpm; column <= Col::Pattern; ++column)
            all.cells.append({column, row});
    }
    all.params = all.enabled = QList<Param>(kAllParams.begin(), kAllParams.end());
    all.oldCurve = all.newCurve = all.labels = all.frozenRows = all.downloadReady = true;
    return all;
}

template <typename Value>
QList<Value> listOf(const std::array<Value, kCurveRows> &values)
{
    return QList<Value>(values.begin(), values.end());
}

} // namespace

CurveView::CurveView(CurveDocument &document, const Widgets &widgets)
    : document_(document), widgets_(widgets)
{
    connect(widgets.grid, &StringGrid::itemChanged, this, [this](QTableWidgetItem *item) {
        document_.setCell(item->column() + 1, item->row() + 1, item->text());
    });
    for (const Param param : kAllParams) {
        QWidget *widget = widgets.params[static_cast<std::size_t>(param)];
        if (auto *field = qobject_cast<QLineEdit *>(widget)) {
            connect(field, &QLineEdit::textChanged, this,
                    [this, param](const QString &text) { document_.setText(param, text); });
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            connect(list, &QComboBox::currentIndexChanged, this,
                    [this, param, list] { document_.setText(param, list->currentText()); });
        }
    }
    connect(&document, &CurveDocument::changed, this, &CurveView::show);
    show(everything());
}

// The views are set quietly: what they show is already in the document, and
// the handlers that follow a user's change must not run for it.
void CurveView::show(const CurveChange &change)
{
    const CurveState &state = document_.state();
    {
        const QSignalBlocker quiet(widgets_.grid);
        for (const CellRef &cell : change.cells)
            widgets_.grid->setCell(cell.column, cell.row, state.curve.cell(cell.column, cell.row));
    }
    for (const Param param : change.params)
        showParam(param);
    for (const Param param : change.enabled)
        widgets_.params[static_cast<std::size_t>(param)]->setEnabled(state.enabled[static_cast<std::size_t>(param)]);
    if (change.frozenRows) {
        widgets_.grid->setFixedRows(state.frozenRows + 1);
        widgets_.chart->setFixedPoints(state.frozenRows);
    }
    if (change.oldCurve)
        widgets_.chart->setValues(CurveChart::Old, listOf(state.oldCurve));
    if (change.newCurve)
        widgets_.chart->setValues(CurveChart::New, listOf(state.newCurve));
    if (change.labels)
        widgets_.chart->setLabels(listOf(state.labels));
    if (change.downloadReady)
        widgets_.download->setEnabled(state.downloadReady);
}

void CurveView::showParam(Param param)
{
    QWidget *widget = widgets_.params[static_cast<std::size_t>(param)];
    const QString &text = document_.curve().text(param);
    const QSignalBlocker quiet(widget);
    if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        if (field->text() != text)
            field->setText(text);
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        list->setCurrentIndex(list->findText(text));
    }
}
