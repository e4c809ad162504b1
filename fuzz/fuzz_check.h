#pragma once

#include <cstdio>
#include <cstdlib>

// A property of a fuzz target. An input that breaks it aborts the run, which libFuzzer reports
// as a finding and the corpus test as a failure.
#define FUZZ_REQUIRE(condition)                                                                   \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
