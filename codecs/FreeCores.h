#pragma once

#include <functional>

namespace tiv {

// How many threads an encoder should spread its work over: the cores that other programs leave
// free (by the last minute's load average), plus the calling thread's own, at least one. On a
// busy machine a helper thread only waits for a core while the caller waits for it.
int FreeCores();

// Runs job(0) … job(count - 1), each once, on the calling thread and as many helper threads as
// FreeCores() allows; returns when all are done.
void RunOnFreeCores(int count, const std::function<void(int)> &job);

}  // namespace tiv
