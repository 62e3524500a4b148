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
    std::deque<QString> corrections;                // typed into the correction dialog
    // The language dialog logs "language: <item chosen>"; the item picked
    // (by index), or the one shown when the queue is empty. With
    // realLanguageDialog the program's own dialog runs instead.
    std::deque<int> languageAnswers;
    bool realLanguageDialog = false;

    void message(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    std::optional<QString> chooseFile(QFileDialog &dialog) override;
    // Logs "correct: <message> | <entry as shown>" and types the next of
    // `corrections` into the entry. Throws when none is left, so a test
    // that keeps the dialog coming back fails instead of hanging.
    void correct(TEditForm &form) override;
    void chooseLanguage(TNyelvForm &dialog) override;

    // The entries of the log that start with `kind` ("message: " ...).
    QStringList entries(const QString &kind) const;
};
