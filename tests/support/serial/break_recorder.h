#pragma once

#include <chrono>
#include <vector>

// A pty takes BREAK requests and ignores them. Linking this file puts a
// wrapper around the C library's ioctl() into the program that records
// every BREAK request (TIOCSBRK, TIOCCBRK) made on any descriptor, with the
// time it took effect, and passes every request on unchanged.
//
// Built as a library of its own (igc_break_log) it goes into a program
// started with LD_PRELOAD; with IGC_BREAK_LOG naming a file, every request
// is also appended there, so a test can see the BREAKs of another process.
// The steady clock is the same in every process of the machine.
namespace BreakRecorder {

struct Request {
    bool on;                                 // TIOCSBRK, or TIOCCBRK
    int fd;
    std::chrono::steady_clock::time_point at; // when the call returned
};

std::vector<Request> requests();
void clear();

// The requests a log written through IGC_BREAK_LOG holds.
std::vector<Request> readLog(const char *path);

} // namespace BreakRecorder
