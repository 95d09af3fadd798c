// DeriveProgramPaths on module paths of any length, into exact-size heap buffers: one byte
// written past a buffer is an ASan report. The input is the module path itself.
#include "../../settings/settings.h"
#include "fuzz_check.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

static char* HeapBuffer(size_t size) {
    // malloc(0) may return NULL; keep one real byte so the pointer is valid, but pass size 0.
    char* p = (char*)malloc(size ? size : 1);
    memset(p, 'X', size ? size : 1);
    return p;
}

// Derives into buffers of exactly dirSize and iniSize bytes and checks the all-or-nothing rule.
static void DeriveInto(const char* path, size_t dirSize, size_t iniSize, const char* wantDir,
                       const char* wantIni) {
    char* dir = HeapBuffer(dirSize);
    char* ini = HeapBuffer(iniSize);
    bool fits = strlen(wantDir) < dirSize && strlen(wantIni) < iniSize;
    bool ok = DeriveProgramPaths(path, dir, dirSize, ini, iniSize);
    FUZZ_CHECK(ok == fits);
    if (ok) {
        FUZZ_CHECK(strcmp(dir, wantDir) == 0);
        FUZZ_CHECK(strcmp(ini, wantIni) == 0);
    } else {
        // Never a cut path: both outputs empty, so nothing is written beside the program.
        if (dirSize) FUZZ_CHECK(dir[0] == '\0');
        if (iniSize) FUZZ_CHECK(ini[0] == '\0');
    }
    free(dir);
    free(ini);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    char* path = (char*)malloc(size + 1);
    memcpy(path, data, size);
    path[size] = '\0';
    size_t len = strlen(path);

    // What the paths must be, worked out here from the rule: folder up to and including the
    // last backslash (or the path plus one), settings path cut at the last dot plus ".ini".
    char* wantDir = (char*)malloc(len + 2);
    char* wantIni = (char*)malloc(len + 5);
    size_t lastSlash = len, lastDot = len;
    for (size_t i = 0; i < len; ++i) {
        if (path[i] == '\\') lastSlash = i;
        if (path[i] == '.') lastDot = i;
    }
    size_t dirLen = lastSlash < len ? lastSlash + 1 : len + 1;
    memcpy(wantDir, path, dirLen - 1);
    wantDir[dirLen - 1] = '\\';
    wantDir[dirLen] = '\0';
    memcpy(wantIni, path, lastDot);
    memcpy(wantIni + lastDot, ".ini", 5);

    // The product's buffers, then buffers that fit exactly, one byte short, and empty.
    DeriveInto(path, kPathSize, kPathSize, wantDir, wantIni);
    size_t needDir = strlen(wantDir) + 1, needIni = strlen(wantIni) + 1;
    DeriveInto(path, needDir, needIni, wantDir, wantIni);
    DeriveInto(path, needDir - 1, needIni, wantDir, wantIni);
    DeriveInto(path, needDir, needIni - 1, wantDir, wantIni);
    DeriveInto(path, 0, 0, wantDir, wantIni);

    free(wantDir);
    free(wantIni);
    free(path);
    return 0;
}
