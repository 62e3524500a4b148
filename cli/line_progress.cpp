#include "cli/line_progress.h"

#include "cli/output.h"
#include "core/download_frame.h"
#include "core/tool_texts.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <unistd.h>
#else
#include <io.h>
#endif

namespace {

constexpr int kBarWidth = 40;

bool stderrIsTerminal()
{
#ifdef Q_OS_UNIX
    return isatty(STDERR_FILENO) == 1;
#else
    return _isatty(_fileno(stderr)) != 0;
#endif
}

int terminalColumns()
{
#ifdef Q_OS_UNIX
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
#endif
    return 80;
}

} // namespace

LineProgress::LineProgress(const DownloadSession &session, qint64 total) : total_(total)
{
    if (!stderrIsTerminal())
        return;
    connect(&session, &DownloadSession::stateChanged, this, [this](DownloadSession::State state) {
        if (state == DownloadSession::State::Break)
            draw(QStringLiteral("BREAK"));
    });
    connect(&session, &DownloadSession::progress, this, [this](qint64 onLine) {
        onLine_ = onLine;
        draw(QString());
    });
    connect(&session, &DownloadSession::finished, this, [this](const DownloadOutcome &outcome) {
        done_ = outcome.done;
        onLine_ = outcome.done ? total_ : qint64(outcome.valuesSent) * kGroupBytes;
        draw(outcome.done ? QString() : texts().progressFailed);
        std::fputc('\n', stderr);
    });
}

void LineProgress::draw(const QString &note)
{
    // Never full before every byte is out.
    const int percent = done_ ? 100 : std::min<int>(99, int(onLine_ * 100 / total_));
    QString text = QStringLiteral("%1%  ").arg(percent, 3) + texts().progressBytes.arg(QString::number(onLine_), QString::number(total_));
    if (!note.isEmpty())
        text += QStringLiteral("  ") + note;
    // One column spare: a line as wide as the terminal wraps.
    const int room = terminalColumns() - 1;
    const int bar = std::min(kBarWidth, room - int(text.size()) - 3);
    if (bar >= 10) {
        const int filled = done_ ? bar : std::min(bar - 1, int(onLine_ * bar / total_));
        text = QStringLiteral("[%1%2] ").arg(QString(filled, QLatin1Char('#')), QString(bar - filled, QLatin1Char('.'))) + text;
    }
    const QByteArray line = "\r" + text.left(std::max(room, 0)).toUtf8() + "\x1b[K";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
