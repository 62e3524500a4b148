#include "cli/line_progress.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <io.h>
#endif

namespace {

constexpr double kBytesPerSecond = 2400 / 10.0;
constexpr int kBarWidth = 40;

bool stderrIsTerminal()
{
#ifdef Q_OS_UNIX
    return isatty(STDERR_FILENO) == 1;
#else
    return _isatty(_fileno(stderr)) != 0;
#endif
}

} // namespace

LineProgress::LineProgress(qsizetype bytes) : bytes_(bytes), start_(std::chrono::steady_clock::now())
{
    if (!stderrIsTerminal())
        return;
    painter_ = std::thread([this] {
        while (!done_) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
            // Never full before the port says every byte is out.
            draw(std::min<qsizetype>(bytes_ - 1, qsizetype(seconds * kBytesPerSecond)));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
}

LineProgress::~LineProgress()
{
    if (!painter_.joinable())
        return;
    done_ = true;
    painter_.join();
    draw(bytes_);
    std::fputc('\n', stderr);
}

void LineProgress::draw(qsizetype onLine) const
{
    const int filled = int(onLine * kBarWidth / bytes_);
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(kBarWidth - filled, '.');
    std::fprintf(stderr, "\r[%s] %3d%%  %lld/%lld bytes", bar.constData(), int(onLine * 100 / bytes_),
                 static_cast<long long>(onLine), static_cast<long long>(bytes_));
    std::fflush(stderr);
}
