#pragma once

#include <QObject>

class QSocketNotifier;

// Ctrl-C and SIGTERM while igctool holds the port: instead of dying with
// the line in BREAK, the program hears of it through the event loop, puts
// the line right and ends with the status a shell expects (130, 143).
// One at a time; the signals' default action is back once it is gone.
class Interruption : public QObject {
    Q_OBJECT

public:
    Interruption();
    ~Interruption() override;
    Interruption(const Interruption &) = delete;
    Interruption &operator=(const Interruption &) = delete;

    // 128 and the signal's number; 0 while none came.
    int exitStatus() const { return exitStatus_; }
    // On the event loop's thread: a signal came. Only the first counts.
    void arrived(int exitStatus);

signals:
    void received(int exitStatus);

private:
    int exitStatus_ = 0;
    QSocketNotifier *notifier_ = nullptr;
};
