#pragma once

// While it lives, the calling thread runs ahead of ordinary work where the
// system lets this user ask for it (real-time scheduling on Linux, the
// time-critical priority on Windows), so that a busy machine does not make
// it late; elsewhere it changes nothing. For short stretches only: the end
// of the BREAK and the frame after it.
class TimeCritical {
public:
    TimeCritical();
    ~TimeCritical();
    TimeCritical(const TimeCritical &) = delete;
    TimeCritical &operator=(const TimeCritical &) = delete;

    // Whether the system granted it.
    bool granted() const { return granted_; }

private:
    bool granted_ = false;
    int policy_ = 0;
    int priority_ = 0;
};
