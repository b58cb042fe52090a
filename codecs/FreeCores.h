#pragma once

namespace tiv {

// How many threads an encoder should spread its work over: the cores that other programs leave
// free (by the last minute's load average), plus the calling thread's own, at least one. On a
// busy machine a helper thread only waits for a core while the caller waits for it.
int FreeCores();

}  // namespace tiv
