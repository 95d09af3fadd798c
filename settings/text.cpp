// Platform-free text handling shared by the settings file, the paths and the language files.
#include "settings.h"

#include <string.h>

uint32_t ParseDecimal(const char* text, uint32_t defaultValue) {
    if (text[0] == '\0') return defaultValue;
    uint32_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return defaultValue;
        value = value * 10u + (uint32_t)(*p - '0'); // wraps modulo 2^32 by design
    }
    return value;
}

bool CopyText(char* dst, size_t dstSize, const char* src) {
    if (dstSize == 0) return false;
    size_t len = strlen(src);
    if (len >= dstSize) {
        dst[0] = '\0';
        return false;
    }
    memcpy(dst, src, len + 1);
    return true;
}

bool AppendText(char* dst, size_t dstSize, const char* src) {
    if (dstSize == 0) return false;
    size_t have = strnlen(dst, dstSize);
    size_t len = strlen(src);
    if (have >= dstSize || len >= dstSize - have) {
        dst[0] = '\0';
        return false;
    }
    memcpy(dst + have, src, len + 1);
    return true;
}

void CopyWholeNames(char* dst, size_t dstSize, const char* src) {
    size_t limit = dstSize - 1;
    size_t len = strnlen(src, dstSize);
    // Longer than the bound: src[limit] exists, and a ';' there ends a whole name right at it.
    if (len > limit) {
        len = limit;
        while (len > 0 && src[len] != ';')
            --len;
    }
    memcpy(dst, src, len);
    dst[len] = '\0';
}

bool DeriveProgramPaths(const char* modulePath, char* programDir, size_t programDirSize,
                        char* settingsPath, size_t settingsPathSize) {
    if (programDirSize) programDir[0] = '\0';
    if (settingsPathSize) settingsPath[0] = '\0';
    size_t len = strlen(modulePath);

    // Program folder: cut after the last backslash, or append one when there is none.
    const char* slash = strrchr(modulePath, '\\');
    size_t dirLen = slash ? (size_t)(slash - modulePath) + 1 : len + 1;
    // Settings path: the extension replaced by ".ini". The last dot of the whole path counts,
    // so a dotless file name in a dotted folder is cut inside the folder name; stored files
    // rely on that name, so it is kept.
    const char* dot = strrchr(modulePath, '.');
    size_t stemLen = dot ? (size_t)(dot - modulePath) : len;

    if (dirLen + 1 > programDirSize || stemLen + 5 > settingsPathSize) return false;

    memcpy(programDir, modulePath, slash ? dirLen : len);
    programDir[dirLen - 1] = '\\';
    programDir[dirLen] = '\0';
    memcpy(settingsPath, modulePath, stemLen);
    memcpy(settingsPath + stemLen, ".ini", 5);
    return true;
}
