#pragma once

#include <cstdio>
#include <cstdlib>

// A property that does not hold is a finding like a crash: the fuzzer keeps the input and the
// plain runner fails.
#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)
