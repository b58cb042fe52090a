#include "codecs/FreeCores.h"

#include <QtGlobal>

#include <cmath>
#include <cstdlib>
#include <thread>

namespace tiv {

int FreeCores()
{
    const int cores = int(qMax(1u, std::thread::hardware_concurrency()));
    double load = 0;
    if (getloadavg(&load, 1) != 1)
        return cores;
    return qBound(1, int(std::floor(cores + 1 - load)), cores);
}

}  // namespace tiv
