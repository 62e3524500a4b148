#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// NyelvForm: asks for the interface language at the first start. The choice
// is whatever CBNyelv shows when the dialog closes, however it is closed.
class TNyelvForm : public QDialog {
    Q_OBJECT

public:
    // Outer size 201 x 128 as designed; this is its client area.
    static constexpr int kClientWidth = 193;
    static constexpr int kClientHeight = 94;

    explicit TNyelvForm(QWidget *parent = nullptr);

    QComboBox *CBNyelv; // "Magyar" (0), "English" (1)
    QPushButton *BitBtn1;
};
