#include "cli/interruption.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

Interruption *current = nullptr;

} // namespace

void Interruption::arrived(int exitStatus)
{
    if (exitStatus_ != 0)
        return;
    exitStatus_ = exitStatus;
    emit received(exitStatus);
}

#ifdef Q_OS_WIN

namespace {

// Runs on a thread of its own: the news goes through the event loop.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    Interruption *listener = current;
    QMetaObject::invokeMethod(listener, [listener] { listener->arrived(130); }, Qt::QueuedConnection);
    return TRUE;
}

} // namespace

Interruption::Interruption()
{
    current = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

Interruption::~Interruption()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    current = nullptr;
}

#else

namespace {

int wakeUp[2] = {-1, -1};

// Only what a signal handler may do: one byte into the pipe.
void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t n = ::write(wakeUp[1], &byte, 1);
}

} // namespace

Interruption::Interruption()
{
    current = this;
    if (::pipe(wakeUp) != 0)
        return;
    for (const int end : wakeUp)
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
    notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char number = 0;
        if (::read(wakeUp[0], &number, 1) == 1)
            arrived(128 + number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

Interruption::~Interruption()
{
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    delete notifier_;
    for (int &end : wakeUp) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
    current = nullptr;
}

#endif
