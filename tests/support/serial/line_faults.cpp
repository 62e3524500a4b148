// Makes a program's serial line fail the way a pulled USB adapter does, or
// run slow, from inside the process: put into it with LD_PRELOAD, it wraps
// write() and tcdrain() on terminals other than stdin, stdout and stderr.
//   IGC_SLOW_WRITE_MS=N      every write waits N ms first, so a signal can
//                            land in the middle of a frame
//   IGC_FAIL_WRITE_AFTER=N   once N bytes went out, writes fail with EIO
//   IGC_FAIL_DRAIN=1         tcdrain fails with EIO
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

long setting(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::atol(value) : -1;
}

bool isLine(int fd)
{
    return fd > STDERR_FILENO && isatty(fd);
}

std::atomic<long> written{0};

} // namespace

extern "C" ssize_t write(int fd, const void *data, size_t count)
{
    using Real = ssize_t (*)(int, const void *, size_t);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "write"));
    static const long slowMs = setting("IGC_SLOW_WRITE_MS");
    static const long failAfter = setting("IGC_FAIL_WRITE_AFTER");
    if ((slowMs > 0 || failAfter >= 0) && isLine(fd)) {
        if (slowMs > 0) {
            const timespec pause{slowMs / 1000, (slowMs % 1000) * 1000000};
            nanosleep(&pause, nullptr);
        }
        if (failAfter >= 0 && written.load() >= failAfter) {
            errno = EIO;
            return -1;
        }
        const ssize_t n = real(fd, data, count);
        if (n > 0)
            written += n;
        return n;
    }
    return real(fd, data, count);
}

extern "C" int tcdrain(int fd)
{
    using Real = int (*)(int);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "tcdrain"));
    if (setting("IGC_FAIL_DRAIN") == 1 && isLine(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}
