// BuildLanguagePath and LanguageBaseName with long folder and file names, into exact-size heap
// buffers. Input: byte 0 and 1 choose the output sizes (0..510), then the folder, a NUL, and
// the file name.
#include "../../lang/lang.h"
#include "../../settings/settings.h"
#include "fuzz_check.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 4096) return 0;
    size_t pathSize = (size_t)data[0] * 2;
    size_t baseSize = (size_t)data[1] * 2;
    char* rest = (char*)malloc(size - 2 + 2);
    memcpy(rest, data + 2, size - 2);
    rest[size - 2] = '\0';
    rest[size - 1] = '\0';
    const char* dir = rest;
    const char* name = rest + strlen(rest) + 1;
    size_t dirLen = strlen(dir), nameLen = strlen(name);

    char* out = (char*)malloc(pathSize ? pathSize : 1);
    memset(out, 'X', pathSize ? pathSize : 1);
    bool fits = dirLen > 0 && dirLen + 5 + nameLen < pathSize;
    bool ok = BuildLanguagePath(out, pathSize, dir, name);
    FUZZ_CHECK(ok == fits);
    if (ok) {
        FUZZ_CHECK(strncmp(out, dir, dirLen) == 0);
        FUZZ_CHECK(strncmp(out + dirLen, "Lngs\\", 5) == 0);
        FUZZ_CHECK(strcmp(out + dirLen + 5, name) == 0);
    } else if (pathSize) {
        FUZZ_CHECK(out[0] == '\0');
    }
    free(out);

    // The product's own buffer size as well: a long LanguageFile must not overrun it.
    char* product = (char*)malloc(kPathSize);
    ok = BuildLanguagePath(product, kPathSize, dir, name);
    FUZZ_CHECK(ok == (dirLen > 0 && dirLen + 5 + nameLen < kPathSize));
    free(product);

    char* base = (char*)malloc(baseSize ? baseSize : 1);
    memset(base, 'X', baseSize ? baseSize : 1);
    LanguageBaseName(base, baseSize, name);
    if (baseSize) {
        const char* dot = strrchr(name, '.');
        size_t want = dot ? (size_t)(dot - name) : nameLen;
        if (want > baseSize - 1) want = baseSize - 1;
        FUZZ_CHECK(strlen(base) == want);
        FUZZ_CHECK(strncmp(base, name, want) == 0);
    }
    free(base);
    free(rest);
    return 0;
}
