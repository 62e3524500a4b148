#include "app/user_prompts.h"

#include "table/edit_form.h"
#include "lang/nyelv_form.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString title()
{
    return QApplication::applicationDisplayName();
}

} // namespace

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

std::optional<QString> QtUserPrompts::chooseFile(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtUserPrompts::correct(TEditForm &form)
{
    form.exec();
}

void QtUserPrompts::chooseLanguage(TNyelvForm &dialog)
{
    // However it is closed, the item shown at that moment is the choice.
    dialog.exec();
}
