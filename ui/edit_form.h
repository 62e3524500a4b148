#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// EditForm: the correction dialog for a table value that failed its check.
// It shows the column's range message and the rejected text; the user edits
// the text and presses OK. It has no cancel: Escape and a close request
// leave it open, so the only way out is OK.
class TEditForm : public QDialog {
    Q_OBJECT

public:
    explicit TEditForm(QWidget *parent = nullptr);

    QLabel *StaticText1;
    QLineEdit *Edit1;
    QPushButton *BitBtn1;

    void reject() override;
};
