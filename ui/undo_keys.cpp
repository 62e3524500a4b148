#include "ui/undo_keys.h"

#include <QApplication>
#include <QFocusEvent>
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

UndoKeys::UndoKeys(QWidget *window) : QObject(window), window_(window)
{
    auto *back = new QShortcut(kUndo, window);
    connect(back, &QShortcut::activated, this, &UndoKeys::undo);
    auto *again = new QShortcut(window);
    again->setKeys(kRedo);
    connect(again, &QShortcut::activated, this, &UndoKeys::redo);
    qApp->installEventFilter(this);
}

QLineEdit *UndoKeys::lineEditOfWindow(QObject *object) const
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    return edit && edit->window() == window_ ? edit : nullptr;
}

bool UndoKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::FocusOut)
        return false;
    QLineEdit *edit = lineEditOfWindow(watched);
    if (!edit)
        return false;

    if (type == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window or a menu coming up is no move to another control.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && (edit->isUndoAvailable() || edit->isRedoAvailable())) {
            const QSignalBlocker quiet(edit);
            const int cursor = edit->cursorPosition();
            edit->setText(edit->text()); // a text set anew has no typing to take back
            edit->setCursorPosition(cursor);
        }
        return false;
    }

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
