#pragma once

// Keeps every core of the machine busy while it lives, as a parallel build
// does: one thread a core, spinning at ordinary priority. The timings the
// module needs must hold under such a load.
#include <atomic>
#include <thread>
#include <vector>

class CpuLoad {
public:
    CpuLoad()
    {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i)
            spinners_.emplace_back([this] {
                unsigned long long work = 0;
                while (!stop_.load(std::memory_order_relaxed))
                    work = work * 6364136223846793005ULL + 1;
                sink_ += work;
            });
    }
    ~CpuLoad()
    {
        stop_ = true;
        for (std::thread &spinner : spinners_)
            spinner.join();
    }
    CpuLoad(const CpuLoad &) = delete;
    CpuLoad &operator=(const CpuLoad &) = delete;

    unsigned threads() const { return unsigned(spinners_.size()); }

private:
    std::atomic<bool> stop_{false};
    std::atomic<unsigned long long> sink_{0};
    std::vector<std::thread> spinners_;
};
