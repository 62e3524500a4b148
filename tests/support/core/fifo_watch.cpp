#include "fifo_watch.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FifoWatch::FifoWatch(QString path) : path_(std::move(path))
{
    const QByteArray name = QFile::encodeName(path_);
    created_ = ::mkfifo(name.constData(), 0600) == 0;
    if (!created_)
        return;
    watcher_ = std::thread([this, name] {
        const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
        if (!releasing_)
            opened_ = true;
        if (fd >= 0)
            ::close(fd);
    });
}

FifoWatch::~FifoWatch()
{
    if (!watcher_.joinable())
        return;
    releasing_ = true;
    // Our own reader lets the waiting open return.
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    watcher_.join();
    if (fd >= 0)
        ::close(fd);
}
