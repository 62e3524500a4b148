#include "user_input.h"

#include "scripted_prompts.h"
#include "ui/curve_chart.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QTest>

bool showActive(TForm1 &form, ScriptedPrompts *prompts)
{
    form.show();
    if (prompts)
        prompts->log.removeAll(QStringLiteral("language: Magyar"));
    if (!QTest::qWaitForWindowExposed(&form))
        return false;
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

QPoint cellCentre(StringGrid *grid, int column, int row)
{
    const QModelIndex index = grid->model()->index(row - 1, column - 1);
    grid->scrollTo(index);
    return grid->visualRect(index).center();
}

void clickCell(StringGrid *grid, int column, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, column, row));
}

void rightClickAt(QWidget *widget, QPoint at)
{
    QWidget *window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, widget->mapTo(window, at));
}

bool chooseFromChartMenu(TForm1 &form, const QString &item)
{
    CurveChart *chart = form.Chart1;
    rightClickAt(chart->viewport(), chart->chart()->plotArea().center().toPoint());
    QMenu *menu = chart->menu();
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return false;
    for (QAction *action : menu->actions()) {
        if (action->text() == item) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return true;
        }
    }
    menu->close();
    return false;
}

void doubleClick(QWidget *widget, Qt::MouseButton button)
{
    QTest::mouseClick(widget, button);
    QTest::mouseDClick(widget, button);
    QTest::mouseRelease(widget, button);
}

void drag(QWidget *widget, QPoint from, QPoint by)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, from + by / 2);
    QTest::mouseMove(widget, from + by);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, from + by);
}

void typeKeys(QWidget *window, const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(window->windowHandle(), c.toLatin1());
}

void pressKey(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

bool settle(QWidget *widget, QImage *picture)
{
    QImage last;
    const bool settled = QTest::qWaitFor([&] {
        QCoreApplication::sendPostedEvents();
        QImage now = widget->grab().toImage();
        const bool same = now == last;
        last = std::move(now);
        return same;
    });
    if (picture)
        *picture = last;
    return settled;
}
