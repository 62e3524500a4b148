#include "break_recorder.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <sys/ioctl.h>

namespace {

std::mutex &guard()
{
    static std::mutex m;
    return m;
}

std::vector<BreakRecorder::Request> &recorded()
{
    static std::vector<BreakRecorder::Request> list;
    return list;
}

} // namespace

std::vector<BreakRecorder::Request> BreakRecorder::requests()
{
    const std::lock_guard lock(guard());
    return recorded();
}

void BreakRecorder::clear()
{
    const std::lock_guard lock(guard());
    recorded().clear();
}

std::vector<BreakRecorder::Request> BreakRecorder::readLog(const char *path)
{
    std::vector<Request> log;
    if (FILE *file = std::fopen(path, "r")) {
        int on = 0;
        int fd = 0;
        long long ns = 0;
        while (std::fscanf(file, "%d %d %lld", &on, &fd, &ns) == 3)
            log.push_back({on != 0, fd, std::chrono::steady_clock::time_point(std::chrono::nanoseconds(ns))});
        std::fclose(file);
    }
    return log;
}

// Every ioctl of the program, Qt's included, comes through here.
extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    using Real = int (*)(int, unsigned long, ...);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "ioctl"));
    va_list args;
    va_start(args, request);
    void *argument = va_arg(args, void *);
    va_end(args);
    const int result = real(fd, request, argument);
    if (request == TIOCSBRK || request == TIOCCBRK) {
        const auto now = std::chrono::steady_clock::now();
        const std::lock_guard lock(guard());
        recorded().push_back({request == TIOCSBRK, fd, now});
        if (const char *log = std::getenv("IGC_BREAK_LOG")) {
            if (FILE *file = std::fopen(log, "a")) {
                std::fprintf(file, "%d %d %lld\n", request == TIOCSBRK, fd,
                             static_cast<long long>(std::chrono::nanoseconds(now.time_since_epoch()).count()));
                std::fclose(file);
            }
        }
    }
    return result;
}
