#include "break_recorder.h"

#include <cstdarg>
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
    }
    return result;
}
