#pragma once

#include "ui/user_prompts.h"

#include <QStringList>
#include <deque>

// Answers the main window's prompts from a script and logs every one:
// "message: ...", "confirm: ...", "error: ...", "open", "save: <proposed>",
// "export: <proposed>".
class ScriptedPrompts : public UserPrompts {
public:
    QStringList log;
    std::deque<bool> confirmAnswers;                // Yes when true; No when empty
    std::deque<std::optional<QString>> fileAnswers; // cancelled when empty
    std::deque<QString> corrections;                // typed into the correction dialog
    // The language dialog logs "language: <item chosen>"; the index picked,
    // or 0 ("Magyar", shown first) when the queue is empty. With
    // realLanguageDialog the program's own dialog runs instead.
    std::deque<int> languageAnswers;
    bool realLanguageDialog = false;

    void message(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    std::optional<QString> openFileName() override;
    std::optional<QString> saveFileName(const QString &proposed) override;
    // Logs "export: <proposed>" and answers from `fileAnswers`.
    std::optional<QString> exportFileName(const QString &proposed, const QStringList &filters) override;
    // Logs "correct: <message> | <rejected text>" and answers the next of
    // `corrections`. Throws when none is left, so a test that keeps the
    // dialog coming back fails instead of hanging.
    QString correct(const QString &message, const QString &rejected) override;
    int chooseLanguage() override;

    // The entries of the log that start with `kind` ("message: " ...).
    QStringList entries(const QString &kind) const;

private:
    std::optional<QString> nextFile();
};

// The program's real dialogs, but for the first-run language prompt, which
// answers "Magyar" without showing: for tests that drive the real message
// boxes, file dialogs and correction dialog of a window started without a
// settings file.
class RealPrompts : public QtUserPrompts {
public:
    int chooseLanguage() override { return 0; }
};
