#pragma once

#include <QWidget>
#include <functional>

class QFrame;
class QPushButton;
class QTextEdit;

// HelpForm: the user manual of the current language, shown beside the main
// window. It keeps no file name of its own: each time it is opened it asks
// the main window which document belongs to the language of that moment.
class THelpForm : public QWidget {
    Q_OBJECT

public:
    // Outer size 790 x 560 as designed; this is its client area.
    static constexpr int kClientWidth = 782;
    static constexpr int kClientHeight = 526;

    explicit THelpForm(std::function<QString()> helpFileName, QWidget *parent = nullptr);

    QFrame *Panel2;
    QTextEdit *RichEdit1;
    QPushButton *EndhelpBtn;

    // Handlers.
    void FormShow();
    void EndhelpBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::function<QString()> helpFileName_;
};
