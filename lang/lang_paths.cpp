#include "lang.h"

#include "../settings/settings.h"

#include <string.h>

bool BuildLanguagePath(char* out, size_t outSize, const char* programDir, const char* fileName) {
    // No known program folder (a module path too long to derive one): a bare "Lngs\..." would
    // be relative, to the working folder for a file search and to the Windows folder for the
    // profile functions, so no language file is read at all.
    if (programDir[0] == '\0') {
        if (outSize) out[0] = '\0';
        return false;
    }
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
