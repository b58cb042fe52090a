#include "codecs/FreeCores.h"

#include <QtGlobal>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

namespace tiv {

int FreeCores()
{
    const int cores = int(qMax(1u, std::thread::hardware_concurrency()));
    double load = 0;
    if (getloadavg(&load, 1) != 1)
        return cores;
    return qBound(1, int(std::floor(cores + 1 - load)), cores);
}

void RunOnFreeCores(int count, const std::function<void(int)> &job)
{
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int i = next++; i < count; i = next++)
            job(i);
    };
    const int workers = qMin(FreeCores(), count);
    std::vector<std::thread> helpers;
    for (int i = 1; i < workers; ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
}

}  // namespace tiv
