#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A broken round trip is a finding like a crash: libFuzzer keeps the input.
#define RYV_FUZZ_CHECK(condition, what)                                                            \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "round trip broken: %s\n", qPrintable(what));                     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
