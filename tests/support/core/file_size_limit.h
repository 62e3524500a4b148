#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

// Windows has no per-process limit on file size: a test that needs a full
// disk skips there, saying why.
class FileSizeLimit {
public:
    static constexpr const char *unavailable = "Windows has no file size limit to stand in for a full disk";
    explicit FileSizeLimit(qint64) {}
    bool active() const { return false; }
};

#else

#include <csignal>
#include <sys/resource.h>

// Stands in for a full disk without root: while it lives, a write past
// `bytes` fails with EFBIG as it would with ENOSPC, and SIGXFSZ, ignored,
// does not end the process.
class FileSizeLimit {
public:
    static constexpr const char *unavailable = nullptr;

    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

#endif
