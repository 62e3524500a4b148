#include "hostile_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#ifdef Q_OS_WIN

const char *hostileFileUnavailable(const QString &kind)
{
    return kind == "FIFO" || kind == "device" ? "Windows has no FIFOs and no device nodes" : nullptr;
}

// Never made there: hostileFileUnavailable says so first.
FifoWatch::FifoWatch(QString path) : path_(std::move(path)) {}
FifoWatch::~FifoWatch() = default;

#else

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char *hostileFileUnavailable(const QString &)
{
    return nullptr;
}

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

#endif

std::unique_ptr<FifoWatch> makeHostileFile(const QString &path, const QString &kind)
{
    if (kind == "FIFO")
        return std::make_unique<FifoWatch>(path);
    if (kind == "device")
        QFile::link("/dev/zero", path);
    if (kind == "folder")
        QDir().mkpath(path);
    QFile file(path);
    if (kind == "huge" && file.open(QIODevice::WriteOnly))
        file.resize(Q_INT64_C(3) << 30);
    if (kind == "binary" && file.open(QIODevice::WriteOnly)) {
        QRandomGenerator random(11);
        QByteArray bytes(4096, '\0');
        for (char &byte : bytes)
            byte = char(random.bounded(256));
        file.write(bytes);
    }
    return nullptr;
}
