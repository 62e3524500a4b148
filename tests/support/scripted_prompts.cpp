#include "scripted_prompts.h"

#include "lang/nyelv_form.h"
#include "table/edit_form.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

void ScriptedPrompts::message(const QString &text)
{
    log << QStringLiteral("message: ") + text;
}

bool ScriptedPrompts::confirm(const QString &text)
{
    log << QStringLiteral("confirm: ") + text;
    if (confirmAnswers.empty())
        return false;
    const bool yes = confirmAnswers.front();
    confirmAnswers.pop_front();
    return yes;
}

void ScriptedPrompts::error(const QString &text)
{
    log << QStringLiteral("error: ") + text;
}

std::optional<QString> ScriptedPrompts::chooseFile(QFileDialog &dialog)
{
    log << QStringLiteral("file: ") + dialog.objectName();
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void ScriptedPrompts::correct(TEditForm &form)
{
    log << QStringLiteral("correct: ") + form.StaticText1->text() + QStringLiteral(" | ") + form.Edit1->text();
    if (corrections.empty())
        throw std::logic_error("no scripted correction left");
    form.Edit1->setText(corrections.front());
    corrections.pop_front();
}

void ScriptedPrompts::chooseLanguage(TNyelvForm &dialog)
{
    if (realLanguageDialog) {
        QtUserPrompts().chooseLanguage(dialog);
    } else if (!languageAnswers.empty()) {
        dialog.CBNyelv->setCurrentIndex(languageAnswers.front());
        languageAnswers.pop_front();
    }
    log << QStringLiteral("language: ") + dialog.CBNyelv->currentText();
}

QStringList ScriptedPrompts::entries(const QString &kind) const
{
    QStringList found;
    for (const QString &entry : log) {
        if (entry.startsWith(kind))
            found << entry.mid(kind.size());
    }
    return found;
}
