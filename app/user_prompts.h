#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QWidget;
class TEditForm;
class TNyelvForm;

// Every modal interaction of the main window goes through this interface:
// the program shows the real dialogs, tests install a scripted one.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A plain message box with an OK button.
    virtual void message(const QString &text) = 0;
    // A warning with Yes and No; true only for Yes.
    virtual bool confirm(const QString &text) = 0;
    // The error box for failures the platform reports.
    virtual void error(const QString &text) = 0;
    // Runs a configured file dialog; the chosen path, or nullopt when cancelled.
    virtual std::optional<QString> chooseFile(QFileDialog &dialog) = 0;
    // Runs the filled-in correction dialog until the user presses its OK.
    virtual void correct(TEditForm &form) = 0;
    // Runs the language dialog; the choice is left in its list.
    virtual void chooseLanguage(TNyelvForm &dialog) = 0;
};

// The real dialogs, parented to the main window.
class QtUserPrompts : public UserPrompts {
public:
    void setParent(QWidget *parent) { parent_ = parent; }

    void message(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    std::optional<QString> chooseFile(QFileDialog &dialog) override;
    void correct(TEditForm &form) override;
    void chooseLanguage(TNyelvForm &dialog) override;

private:
    QWidget *parent_ = nullptr;
};
