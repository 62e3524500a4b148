#pragma once

#include <QObject>

class QWidget;

// Raises exited() when the keyboard focus leaves a control (or a widget
// inside it, such as the grid's cell editor) for another control of the same
// window. A switch to another window (a message box, the correction dialog,
// a menu, another program) is no exit: the control stays the window's focus
// and exits when the user moves on inside the window. So a handler that
// shows a message box is not run again by the box taking the focus.
class FocusExit : public QObject {
    Q_OBJECT

public:
    explicit FocusExit(QWidget *control);

signals:
    void exited();

private:
    void focusChanged(QWidget *now);

    QWidget *control_;
    bool inside_ = false;
};
