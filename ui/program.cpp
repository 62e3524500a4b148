#include "ui/program.h"

#include "serial/serial_comm.h"
#include "ui/main_window.h"
#include "ui/user_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <exception>

int runProgram(int argc, char *argv[], const std::function<void()> &shown)
{
    QApplication app(argc, argv);
    // Also names the installed data folder (share/igcedit) where the help
    // viewer finds the manuals, whatever the program file is called.
    QApplication::setApplicationName(QStringLiteral("igcedit"));
    QApplication::setApplicationDisplayName(QStringLiteral("igcedit"));
    QtUserPrompts prompts;
    TComm Comm1;
    const auto showError = [](const QString &text) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text);
    };
    try {
        // The exit button ends the process at once, without any clean-up.
        TForm1 Form1({&prompts, [](int status) { std::_Exit(status); }, &Comm1});
        prompts.setParent(&Form1);
        Form1.show();
        if (shown)
            shown();
        QApplication::exec();
    } catch (const std::exception &e) {
        showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showError(QString());
    }
    return 0;
}
