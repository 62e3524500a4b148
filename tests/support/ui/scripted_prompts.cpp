#include "scripted_prompts.h"

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

std::optional<QString> ScriptedPrompts::nextFile()
{
    if (fileAnswers.empty())
        return std::nullopt;
    std::optional<QString> answer;
    answer.swap(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::openFileName()
{
    log << QStringLiteral("open");
    return nextFile();
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString &proposed)
{
    log << QStringLiteral("save: ") + proposed;
    return nextFile();
}

std::optional<QString> ScriptedPrompts::exportFileName(const QString &proposed, const QStringList &)
{
    log << QStringLiteral("export: ") + proposed;
    return nextFile();
}

QString ScriptedPrompts::correct(const QString &message, const QString &rejected)
{
    log << QStringLiteral("correct: ") + message + QStringLiteral(" | ") + rejected;
    if (corrections.empty())
        throw std::logic_error("no scripted correction left");
    const QString answer = corrections.front();
    corrections.pop_front();
    return answer;
}

int ScriptedPrompts::chooseLanguage()
{
    int language = 0;
    if (realLanguageDialog) {
        language = QtUserPrompts().chooseLanguage();
    } else if (!languageAnswers.empty()) {
        language = languageAnswers.front();
        languageAnswers.pop_front();
    }
    static const QStringList items{QStringLiteral("Magyar"), QStringLiteral("English")};
    log << QStringLiteral("language: ") + items.value(language, QString::number(language));
    return language;
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
