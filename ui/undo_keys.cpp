#include "ui/undo_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalBlocker>

namespace {

const QKeySequence kUndo(Qt::CTRL | Qt::Key_Z);
const QList<QKeySequence> kRedo = {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};

enum class Direction { None, Back, Again };

Direction direction(const QKeyEvent &key)
{
    const QKeySequence pressed(key.keyCombination());
    if (pressed == kUndo)
        return Direction::Back;
    return kRedo.contains(pressed) ? Direction::Again : Direction::None;
}

bool holdsTyping(const QLineEdit &edit, Direction direction)
{
    return direction == Direction::Back ? edit.isUndoAvailable() : edit.isRedoAvailable();
}

} // namespace

void forgetTyping(QLineEdit &edit)
{
    if (!edit.isUndoAvailable() && !edit.isRedoAvailable())
        return;
    const QSignalBlocker quiet(&edit);
    const int cursor = edit.cursorPosition();
    edit.setText(edit.text()); // a text set anew has no typing to take back
    edit.setCursorPosition(cursor);
}

UndoKeys::UndoKeys(QWidget *window) : QObject(window), window_(window)
{
    auto *back = new QShortcut(kUndo, window);
    connect(back, &QShortcut::activated, this, &UndoKeys::undo);
    auto *again = new QShortcut(window);
    again->setKeys(kRedo);
    connect(again, &QShortcut::activated, this, &UndoKeys::redo);
    connect(qApp, &QApplication::focusChanged, this, &UndoKeys::focusChanged);
}

QLineEdit *UndoKeys::lineEditOfWindow(QObject *object) const
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    return edit && edit->window() == window_ ? edit : nullptr;
}

// A line edit of the window is watched from its first focus on (the grid's
// cell editors come and go). One that the user leaves for another control
// of the window forgets its typing; another window or a menu coming up is no
// such move.
void UndoKeys::focusChanged(QWidget *old, QWidget *now)
{
    if (QLineEdit *edit = lineEditOfWindow(now))
        edit->installEventFilter(this);
    QLineEdit *left = lineEditOfWindow(old);
    if (left && now && now->window() == window_)
        forgetTyping(*left);
}

bool UndoKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || (type != QEvent::ShortcutOverride && type != QEvent::KeyPress))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const Direction towards = direction(*key);
    if (towards == Direction::None)
        return false;
    if (!holdsTyping(*edit, towards)) {
        // Not for this line edit: the window's shortcut takes the key.
        key->ignore();
        return type == QEvent::ShortcutOverride;
    }
    if (type == QEvent::ShortcutOverride) {
        key->accept();
        return true;
    }
    if (towards == Direction::Back)
        edit->undo();
    else
        edit->redo();
    return true;
}
