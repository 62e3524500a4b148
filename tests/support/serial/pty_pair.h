#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// A pseudo-terminal pair standing in for the serial line to the module: the
// program opens the slave by its path, and a thread reads everything that
// arrives at the master, noting when the first byte came. The pair keeps a
// slave descriptor of its own, so the master never sees a hang-up when the
// program closes the port, until closeSlave(): a program that refuses a
// port other processes hold open would refuse one the test holds.
class PtyPair {
public:
    using Clock = std::chrono::steady_clock;

    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return master_ >= 0; }
    const QString &slavePath() const { return slavePath_; }
    int slaveFd() const { return slave_; }

    // Lets go of the slave: no process but the program holds it now. Its
    // line settings go back to the system's defaults whenever the last
    // holder closes it.
    void closeSlave();

    // Bytes "from the module": written at the master, received at the slave.
    bool sendToSlave(const QByteArray &bytes) const;

    // Waits until at least `count` bytes have arrived or `ms` passed, and
    // gives every byte so far.
    QByteArray waitForBytes(qsizetype count, int ms);
    // When the first byte since the last forget() arrived.
    std::optional<Clock::time_point> firstByteTime();
    // Starts counting anew.
    void forget();

private:
    void readLoop();

    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable arrived_;
    QByteArray received_;
    std::optional<Clock::time_point> firstByte_;
    std::thread reader_;
};
