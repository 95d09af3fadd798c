// Start at logon through the per-user Run key. The registry value, not the settings file, is
// the record of the choice.
#include "settings.h"

#include <windows.h>

static const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kValueName[] = "Quindlet";

void RemoveStartupValue() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, kValueName);
    RegCloseKey(key);
}

// True only when the value is a REG_SZ naming exactly this program file (case-sensitive).
// Any other value of our name, say one left by a copy in another folder, is removed.
bool ReflectStartupRegistration() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kValueName, NULL, &type, NULL, &size) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    bool matches = false;
    if (type == REG_SZ && size > 1) {
        // One more byte than reported, zero-filled, so that stored data without its own NUL
        // still reads as a terminated string.
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
        char* data = block ? (char*)GlobalLock(block) : NULL;
        DWORD got = size;
        if (data &&
            RegQueryValueExA(key, kValueName, NULL, NULL, (BYTE*)data, &got) == ERROR_SUCCESS) {
            char module[kPathSize];
            DWORD len = GetModuleFileNameA(NULL, module, sizeof(module));
            module[len < kPathSize ? len : kPathSize - 1] = '\0';
            data[size] = '\0';
            matches = lstrcmpA(data, module) == 0;
        }
        if (data) GlobalUnlock(block);
        if (block) GlobalFree(block);
        if (!data) { // a memory hiccup says nothing about the value: leave it alone
            RegCloseKey(key);
            return false;
        }
    }
    if (!matches) RemoveStartupValue();
    RegCloseKey(key);
    return matches;
}

void ApplyStartupRegistration(bool wanted) {
    if (!wanted) {
        RemoveStartupValue();
        return;
    }
    char module[kPathSize];
    DWORD len = GetModuleFileNameA(NULL, module, sizeof(module));
    // A truncated path would start the wrong file, or none: register nothing rather than that.
    if (len == 0 || len >= kPathSize) return;
    module[len] = '\0';
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, kValueName, 0, REG_SZ, (const BYTE*)module, len + 1);
    RegCloseKey(key);
}
