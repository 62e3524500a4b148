#include "ui/focus_exit.h"

#include <QApplication>
#include <QWidget>

FocusExit::FocusExit(QWidget *control) : QObject(control), control_(control)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusChanged(now); });
}

void FocusExit::focusChanged(QWidget *now)
{
    if (!now || now->window() != control_->window())
        return;
    const bool inside = now == control_ || control_->isAncestorOf(now);
    const bool left = inside_ && !inside;
    inside_ = inside;
    if (left)
        emit exited();
}
