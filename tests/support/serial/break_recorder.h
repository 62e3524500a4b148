#pragma once

#include <chrono>
#include <vector>

// A pty takes BREAK requests and ignores them. Linking this file puts a
// wrapper around the C library's ioctl() into the program that records
// every BREAK request (TIOCSBRK, TIOCCBRK) made on any descriptor, with the
// time it took effect, and passes every request on unchanged.
namespace BreakRecorder {

struct Request {
    bool on;                                 // TIOCSBRK, or TIOCCBRK
    int fd;
    std::chrono::steady_clock::time_point at; // when the call returned
};

std::vector<Request> requests();
void clear();

} // namespace BreakRecorder
