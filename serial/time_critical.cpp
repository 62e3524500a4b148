#include "serial/time_critical.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pthread.h>
#include <sched.h>
#endif

#ifdef Q_OS_WIN

TimeCritical::TimeCritical()
{
    priority_ = GetThreadPriority(GetCurrentThread());
    granted_ = SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

TimeCritical::~TimeCritical()
{
    if (granted_)
        SetThreadPriority(GetCurrentThread(), priority_);
}

#else

TimeCritical::TimeCritical()
{
    sched_param before{};
    if (pthread_getschedparam(pthread_self(), &policy_, &before) != 0)
        return;
    priority_ = before.sched_priority;
    // The lowest real-time priority is enough to come before every
    // ordinary thread; it needs a right most users lack, and then nothing changes.
    const sched_param critical{sched_get_priority_min(SCHED_FIFO)};
    granted_ = pthread_setschedparam(pthread_self(), SCHED_FIFO, &critical) == 0;
}

TimeCritical::~TimeCritical()
{
    if (!granted_)
        return;
    const sched_param before{priority_};
    pthread_setschedparam(pthread_self(), policy_, &before);
}

#endif
