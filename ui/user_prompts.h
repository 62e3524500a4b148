#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class QFileDialog;
class QWidget;
class TEditForm;
class TNyelvForm;

// Every modal interaction of the main window goes through this interface,
// by values: the program shows the real dialogs, tests script the answers.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A plain message box with an OK button.
    virtual void message(const QString &text) = 0;
    // A warning with Yes and No; true only for Yes.
    virtual bool confirm(const QString &text) = 0;
    // The error box for failures the platform reports.
    virtual void error(const QString &text) = 0;
    // The curve file to load, or nullopt when the user cancelled.
    virtual std::optional<QString> openFileName() = 0;
    // The curve file to save to, starting from `proposed`; nullopt when cancelled.
    virtual std::optional<QString> saveFileName(const QString &proposed) = 0;
    // A file to export to (a curve card, a picture), starting from
    // `proposed`. `filters` are the dialog's kinds of file ("PDF (*.pdf)"),
    // the first one chosen; nullopt when cancelled.
    virtual std::optional<QString> exportFileName(const QString &proposed, const QStringList &filters) = 0;
    // The correction dialog: shows `message` and the `rejected` text, and
    // gives what the entry holds when the user presses OK.
    virtual QString correct(const QString &message, const QString &rejected) = 0;
    // The language dialog: 0 Hungarian, 1 English, whatever the list shows
    // when it closes.
    virtual int chooseLanguage() = 0;
};

// The real dialogs, parented to the main window. Each is built at its first
// use and kept for the next; the file dialogs start in the folder the
// program was started from.
class QtUserPrompts : public UserPrompts {
public:
    QtUserPrompts();
    ~QtUserPrompts() override;

    void setParent(QWidget *parent) { parent_ = parent; }

    void message(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    std::optional<QString> openFileName() override;
    std::optional<QString> saveFileName(const QString &proposed) override;
    std::optional<QString> exportFileName(const QString &proposed, const QStringList &filters) override;
    QString correct(const QString &message, const QString &rejected) override;
    int chooseLanguage() override;

private:
    QFileDialog &fileDialog(QPointer<QFileDialog> &dialog, const char *name, bool save);

    QWidget *parent_ = nullptr;
    QString startDir_;
    QPointer<QFileDialog> openDialog_;
    QPointer<QFileDialog> saveDialog_;
    QPointer<TEditForm> editForm_;
    QPointer<TNyelvForm> nyelvForm_;
};
