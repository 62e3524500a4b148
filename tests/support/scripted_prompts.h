#pragma once

#include "app/user_prompts.h"

#include <QStringList>
#include <deque>

// Answers the main window's prompts from a script and logs every one:
// "message: ...", "confirm: ...", "error: ...", "file: <dialog name>".
class ScriptedPrompts : public UserPrompts {
public:
    QStringList log;
    std::deque<bool> confirmAnswers;                // Yes when true; No when empty
    std::deque<std::optional<QString>> fileAnswers; // cancelled when empty
    // The language dialog logs "language: <item chosen>"; the item picked
    // (by index), or the one shown when the queue is empty. With
    // realLanguageDialog the program's own dialog runs instead.
    std::deque<int> languageAnswers;
    bool realLanguageDialog = false;

    void message(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    std::optional<QString> chooseFile(QFileDialog &dialog) override;
    void chooseLanguage(TNyelvForm &dialog) override;

    // The entries of the log that start with `kind` ("message: " ...).
    QStringList entries(const QString &kind) const;
};
