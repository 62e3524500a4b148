#include "app/main_window.h"
#include "app/user_prompts.h"
#include "download/serial_comm.h"
#include "lang/help_form.h"
#include "lang/nyelv_form.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <exception>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("igcedit"));
    QtUserPrompts prompts;
    TComm Comm1;
    try {
        // The exit button ends the process at once, without any clean-up.
        TForm1 Form1({&prompts, [](int status) { std::_Exit(status); }, &Comm1});
        prompts.setParent(&Form1);
        THelpForm HelpForm([&Form1] { return Form1.helpFileName(); });
        TNyelvForm NyelvForm;
        Form1.attachLanguageWindows(&HelpForm, &NyelvForm);
        Form1.show();
        QApplication::exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
