// A failed invariant must stop the fuzzer with the input saved, whatever the build type.
#pragma once

#include <stdio.h>
#include <stdlib.h>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #cond);           \
            abort();                                                                               \
        }                                                                                          \
    } while (0)
