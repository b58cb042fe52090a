#include "codecs/PrefaultPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace tiv {

PrefaultPages::PrefaultPages(void *start, size_t bytes)
{
    constexpr size_t kWorthAThread = size_t(32) << 20;
    if (bytes < kWorthAThread)
        return;
    const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t first = (reinterpret_cast<uintptr_t>(start) + page - 1) / page * page;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(start) + bytes) / page * page;
    try {
        worker_ = std::thread([this, first, end] {
            constexpr uintptr_t kStep = uintptr_t(4) << 20;
            for (uintptr_t at = first; at < end && !stop_.load(std::memory_order_relaxed); at += kStep)
                if (madvise(reinterpret_cast<void *>(at), std::min(kStep, end - at), MADV_POPULATE_WRITE) != 0)
                    return;
        });
    } catch (const std::system_error &) {
        // No thread to spare: the decoder takes the faults itself, as it always could.
    }
}

PrefaultPages::~PrefaultPages()
{
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

}  // namespace tiv
