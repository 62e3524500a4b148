#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;
class QWidget;

// A line edit's own typing is forgotten, its text and cursor kept: from now
// on Ctrl+Z in it goes to the history.
void forgetTyping(QLineEdit &edit);

// The keys of the history in one window: Ctrl+Z takes back, Ctrl+Y and
// Ctrl+Shift+Z bring again. A line edit of the window that holds typing of
// its own (a field, the grid's cell editor) takes these keys for that typing
// first, as any line edit does; everywhere else they go to the history. A
// field forgets its typing when the user moves on to another control: from
// then on the typing is a step of the history.
class UndoKeys : public QObject {
    Q_OBJECT

public:
    explicit UndoKeys(QWidget *window);

signals:
    void undo();
    void redo();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *lineEditOfWindow(QObject *object) const;
    void focusChanged(QWidget *old, QWidget *now);

    QWidget *window_;
};
