#include "test_support.h"

#include "settings/settings.h"

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
