#include "ui/program.h"

#include "core/curve_file.h"
#include "core/download_check.h"
#include "core/platform_error.h"
#include "core/text_file.h"
#include "ui/window_texts.h"
#include "serial/serial_comm.h"
#include "ui/curve_card.h"
#include "ui/main_window.h"
#include "ui/user_prompts.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>
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

namespace {

int refuse(QString reason)
{
    QTextStream(stderr) << reason.replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
    return 1;
}

} // namespace

int runCardCommand(int argc, char *argv[])
{
    // Chosen before the application object exists, which opens the platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("igcedit"));

    const QString usage = QStringLiteral("usage: igcedit --card IN.igc OUT.pdf|OUT.png [--lang hu|en]");
    QStringList files;
    int language = 0;
    const QStringList arguments = QGuiApplication::arguments().mid(2);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != QLatin1String("--lang")) {
            files << arguments[i];
            continue;
        }
        const QString name = arguments.value(++i);
        if (name != QLatin1String("hu") && name != QLatin1String("en"))
            return refuse(usage);
        language = name == QLatin1String("en") ? 1 : 0;
    }
    if (files.size() != 2 || files[0].startsWith(QLatin1Char('-')) || files[1].startsWith(QLatin1Char('-')))
        return refuse(usage);
    const QString &in = files[0];
    const QString &out = files[1];
    if (!cardFormat(out))
        return refuse(englishTexts().card.badName.arg(out));
    try {
        const std::optional<CurveFileContents> file = readCurveFile(readTextFile(in));
        if (!file)
            return refuse(in + QStringLiteral(": not a curve file (its first line is neither igc nor igc1)"));
        // The parameters as the window shows them once it has loaded the file.
        const FileDownload curve = fileDownload(file->texts);
        writeCurveCard(out, {QFileInfo(in).fileName(), QDateTime::currentDateTime(), curve.texts, curve.versionFlag},
                       language);
    } catch (const PlatformError &e) {
        return refuse(e.message());
    }
    return 0;
}
