#include "lang.h"

#include "../settings/settings.h"

#include <string.h>

bool BuildLanguagePath(char* out, size_t outSize, const char* programDir, const char* fileName) {
    if (!CopyText(out, outSize, programDir)) return false;
    if (!AppendText(out, outSize, "Lngs\\")) return false;
    return AppendText(out, outSize, fileName);
}

void LanguageBaseName(char* out, size_t outSize, const char* fileName) {
    if (outSize == 0) return;
    const char* dot = strrchr(fileName, '.');
    size_t len = dot ? (size_t)(dot - fileName) : strlen(fileName);
    if (len >= outSize) len = outSize - 1;
    memcpy(out, fileName, len);
    out[len] = '\0';
}
