#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QImage;
class QWidget;
class ScriptedPrompts;
class StringGrid;
class TForm1;

// Input as a user gives it, on the real widgets.

// Shows the window and makes it the active one. The language question of the
// first showing is left out of the prompt log.
bool showActive(TForm1 &form, ScriptedPrompts *prompts = nullptr);

// The centre of grid cell (column, row), scrolled into view.
QPoint cellCentre(StringGrid *grid, int column, int row);
void clickCell(StringGrid *grid, int column, int row);

// A right-click at `at` in `widget`, given to its window as the system gives
// it: the window finds the widget under the mouse and asks it for its menu.
void rightClickAt(QWidget *widget, QPoint at);

// Right-clicks the middle of the chart and picks the item of its menu that
// reads `item`; false when the menu or the item did not show.
bool chooseFromChartMenu(TForm1 &form, const QString &item);

// A double-click as the mouse gives it: press, release, double-click, release.
void doubleClick(QWidget *widget, Qt::MouseButton button = Qt::LeftButton);

// A drag with the left button from `from` by `by`.
void drag(QWidget *widget, QPoint from, QPoint by);

// Keys as the keyboard gives them to `window`: each goes to whatever has the
// focus when it comes.
void typeKeys(QWidget *window, const QString &text);
void pressKey(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Runs the event loop until the widget is drawn as it will stay: two
// pictures in a row alike (an animation would keep them changing). False
// when it does not settle within five seconds.
bool settle(QWidget *widget, QImage *picture = nullptr);
