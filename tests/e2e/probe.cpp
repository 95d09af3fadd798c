// probe.exe: what the end-to-end tests need done from inside the Wine prefix.
//   probe wait                      stay alive (keeps the prefix's explorer and wineserver up)
//   probe park X Y                  SetCursorPos (updates the Wine server's cursor record)
//   probe cursor                    prints GetCursorPos as "X Y"
//   probe keys VK [VK...]           presses the keys in order, releases them in reverse
//   probe hold MODS VK MS           registers a hotkey combination and holds it for MS ms
//   probe taskbarcreated            broadcasts "TaskbarCreated"
//   probe findwindow CLASS [TITLE]  exit code 0 when such a top-level window exists
//   probe waitgone CLASS MS         exit code 0 once no such window exists (within MS ms)
// Exit code 2 means a bad command line.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int Number(const char* text) {
    return (int)strtol(text, NULL, 0);
}

static void SendKey(WORD vk, bool up) {
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
    Sleep(20);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const char* cmd = argv[1];
    if (!strcmp(cmd, "wait")) {
        Sleep(INFINITE);
    } else if (!strcmp(cmd, "park") && argc == 4) {
        return SetCursorPos(Number(argv[2]), Number(argv[3])) ? 0 : 1;
    } else if (!strcmp(cmd, "cursor")) {
        POINT p;
        GetCursorPos(&p);
        printf("%ld %ld\n", p.x, p.y);
        return 0;
    } else if (!strcmp(cmd, "keys") && argc >= 3) {
        for (int i = 2; i < argc; ++i) SendKey((WORD)Number(argv[i]), false);
        for (int i = argc - 1; i >= 2; --i) SendKey((WORD)Number(argv[i]), true);
        return 0;
    } else if (!strcmp(cmd, "hold") && argc == 5) {
        if (!RegisterHotKey(NULL, 1, Number(argv[2]), Number(argv[3]))) return 1;
        printf("held\n");
        fflush(stdout);
        Sleep(Number(argv[4]));
        return 0;
    } else if (!strcmp(cmd, "taskbarcreated")) {
        UINT msg = RegisterWindowMessageA("TaskbarCreated");
        return PostMessageA(HWND_BROADCAST, msg, 0, 0) ? 0 : 1;
    } else if (!strcmp(cmd, "findwindow") && argc >= 3) {
        return FindWindowA(argv[2], argc > 3 ? argv[3] : NULL) ? 0 : 1;
    } else if (!strcmp(cmd, "waitgone") && argc == 4) {
        DWORD end = GetTickCount() + Number(argv[3]);
        while (FindWindowA(argv[2], NULL)) {
            if ((LONG)(end - GetTickCount()) < 0) return 1;
            Sleep(20);
        }
        return 0;
    }
    return 2;
}
