#include "ui/user_prompts.h"

#include "ui/edit_form.h"
#include "ui/nyelv_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

std::optional<QString> run(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtUserPrompts::QtUserPrompts() : startDir_(QDir::currentPath())
{
}

// The dialogs without a parent window are ours to delete.
QtUserPrompts::~QtUserPrompts()
{
    for (QWidget *dialog : std::initializer_list<QWidget *>{openDialog_, saveDialog_, editForm_, nyelvForm_}) {
        if (dialog && !dialog->parent())
            delete dialog;
    }
}

void QtUserPrompts::message(const QString &text)
{
    QMessageBox::information(parent_, title(), text);
}

bool QtUserPrompts::confirm(const QString &text)
{
    return QMessageBox::warning(parent_, title(), text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void QtUserPrompts::error(const QString &text)
{
    QMessageBox::critical(parent_, title(), text);
}

QFileDialog &QtUserPrompts::fileDialog(QPointer<QFileDialog> &dialog, const char *name, bool save)
{
    if (!dialog) {
        dialog = new QFileDialog(parent_);
        dialog->setObjectName(QLatin1String(name));
        dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The save command asks about an existing file itself, once.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->setNameFilter(QStringLiteral("Előgyujtás tábla (*.igc)"));
        dialog->setDefaultSuffix(QStringLiteral("igc"));
        dialog->setDirectory(startDir_);
    }
    return *dialog;
}

std::optional<QString> QtUserPrompts::openFileName()
{
    return run(fileDialog(openDialog_, "OpenDialog1", false));
}

std::optional<QString> QtUserPrompts::saveFileName(const QString &proposed)
{
    QFileDialog &dialog = fileDialog(saveDialog_, "SaveDialog1", true);
    dialog.selectFile(proposed);
    return run(dialog);
}

QString QtUserPrompts::correct(const QString &message, const QString &rejected)
{
    if (!editForm_)
        editForm_ = new TEditForm(parent_);
    editForm_->StaticText1->setText(message);
    editForm_->Edit1->setText(rejected);
    // The dialog has no cancel: it closes only through OK.
    editForm_->exec();
    return editForm_->Edit1->text();
}

int QtUserPrompts::chooseLanguage()
{
    if (!nyelvForm_)
        nyelvForm_ = new TNyelvForm;
    // However it is closed, the item shown at that moment is the choice.
    nyelvForm_->exec();
    return nyelvForm_->CBNyelv->currentIndex();
}
