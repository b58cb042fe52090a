#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace tiv {

// Faults in the pages of a freshly allocated large picture on another core, from the top down,
// while the decoder fills it from the top: the kernel's work of handing out and clearing half a
// gigabyte of pages then no longer stands in the decoder's way. Pages are only mapped, never
// written, so the two never race. Small pictures are left alone; so is a kernel that cannot.
class PrefaultPages {
public:
    PrefaultPages(void *start, size_t bytes);
    ~PrefaultPages();
    PrefaultPages(const PrefaultPages &) = delete;
    PrefaultPages &operator=(const PrefaultPages &) = delete;

private:
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace tiv
