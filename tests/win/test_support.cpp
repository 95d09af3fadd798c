#include "test_support.h"

#include "app/app.h"
#include "hotkeys/hotkeys.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <stdio.h>

std::string MakeScratchDir() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    static int counter;
    for (;;) {
        char dir[MAX_PATH];
        snprintf(dir, sizeof(dir), "%squindlet-test-%lu-%d\\", temp, GetCurrentProcessId(),
                 ++counter);
        if (CreateDirectoryA(dir, NULL)) return dir;
    }
}

void WriteTextFile(const std::string& path, const std::string& text) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

std::string ReadTextFile(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return text;
}

std::string UseScratchProgramDir() {
    std::string dir = MakeScratchDir();
    CopyText(ProgramDir, sizeof(ProgramDir), dir.c_str());
    CopyText(SettingsPath, sizeof(SettingsPath), (dir + "Quindlet.ini").c_str());
    return dir;
}

void PumpMessages(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while ((LONG)(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

std::string ModulePath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    return path;
}

std::string TrayMenuText(UINT command) {
    char text[2048];
    int n = GetMenuStringA(TrayMenu, command, text, sizeof(text), MF_BYCOMMAND);
    return n > 0 ? std::string(text, n) : std::string();
}

bool CombinationFree(uint32_t hotKeyCode) {
    HotKeyArgs args = HotKeyToModifiers(hotKeyCode);
    if (!RegisterHotKey(NULL, 0x7100, args.modifiers, args.virtualKey)) {
        EXPECT_EQ(GetLastError(), 1409u); // ERROR_HOTKEY_ALREADY_REGISTERED
        return false;
    }
    UnregisterHotKey(NULL, 0x7100);
    return true;
}
