#pragma once

#include <QString>
#include <atomic>
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
