#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <thread>

// A FIFO that tells whether anyone opened it. A thread waits in a blocking
// open for writing; should the program open the FIFO for reading, that open
// returns, the thread notes it and closes at once, so the reader sees the end
// of the file instead of waiting for ever. Destroying the watch releases the
// thread.
class FifoWatch {
public:
    explicit FifoWatch(QString path);
    ~FifoWatch();
    FifoWatch(const FifoWatch &) = delete;
    FifoWatch &operator=(const FifoWatch &) = delete;

    bool created() const { return created_; }
    bool opened() const { return opened_; }

private:
    QString path_;
    bool created_ = false;
    std::atomic<bool> opened_{false};
    std::atomic<bool> releasing_{false};
    std::thread watcher_;
};

// Puts at `path` a file no user would make on purpose: "FIFO" (returned as
// a watch), "device" (a link to /dev/zero, which never ends), "folder",
// "huge" (3 GB, sparse, so no disk space is used) or "binary" (4 KB of
// random bytes, the same every time).
std::unique_ptr<FifoWatch> makeHostileFile(const QString &path, const QString &kind);

// Why this system cannot make a file of that kind (a test skips with it),
// or nullptr when it can: Windows has neither FIFOs nor device nodes.
const char *hostileFileUnavailable(const QString &kind);
