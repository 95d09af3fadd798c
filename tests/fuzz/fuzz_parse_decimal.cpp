// ParseDecimal against the rule it implements, checked digit by digit in 64-bit arithmetic:
// empty or any non-digit gives the default, otherwise the value modulo 2^32.
#include "../../settings/settings.h"
#include "fuzz_check.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size heap copy, so reading one byte past the terminator is an ASan report.
    char* text = (char*)malloc(size + 1);
    memcpy(text, data, size);
    text[size] = '\0';
    size_t len = strlen(text);

    bool digitsOnly = len > 0;
    uint64_t expected = 0;
    for (size_t i = 0; i < len && digitsOnly; ++i) {
        if (text[i] < '0' || text[i] > '9')
            digitsOnly = false;
        else
            expected = (expected * 10u + (uint64_t)(text[i] - '0')) & 0xFFFFFFFFu;
    }

    // Two different defaults tell "parsed to this value" apart from "fell back to the default".
    uint32_t a = ParseDecimal(text, 0xA5A5A5A5u);
    uint32_t b = ParseDecimal(text, 7u);
    if (digitsOnly) {
        FUZZ_CHECK(a == (uint32_t)expected);
        FUZZ_CHECK(b == (uint32_t)expected);
    } else {
        FUZZ_CHECK(a == 0xA5A5A5A5u);
        FUZZ_CHECK(b == 7u);
    }
    free(text);
    return 0;
}
