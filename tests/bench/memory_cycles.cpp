// memory_cycles.exe: the program's own modules in-process, one kind of action repeated, with
// the process heap walked before and after, so that memory growth seen from outside can be
// put on the program's allocations or on the platform's.
//   memory_cycles report ACTION COUNT  ACTION (toggle, ok, cancel, wrap, bare) COUNT times after
//                                      a warm-up; prints the heap and process figures before
//                                      and after
//   memory_cycles check                exit code 0 when Options cycles (OK and Cancel, language
//                                      files beside the exe) and toggles leave no heap block
//                                      behind; a regression test
//   memory_cycles host                 a bare dialog program for comparison: Ctrl+Alt+F7 opens
//                                      the Options templates in a plain DialogBox with
//                                      procedures that do nothing of the program's,
//                                      Ctrl+Alt+F8 ends it
// "bare" runs that same plain dialog in-process. The exe's folder is the program folder: the
// settings file Quindlet.ini is written there and removed at the end.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/app.h"
#include "dialogs/dialogs.h"
#include "hotkeys/hotkeys.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "wrap/wrap.h"

namespace {

struct HeapFigures {
    unsigned long blocks, bytes, movable; // busy blocks of the process heap
    unsigned long allBytes;               // busy bytes over every heap of the process
};

void WalkHeap(HANDLE heap, HeapFigures* f, bool processHeap) {
    if (!HeapLock(heap)) return;
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = NULL;
    while (HeapWalk(heap, &entry)) {
        if (!(entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)) continue;
        f->allBytes += entry.cbData;
        if (!processHeap) continue;
        ++f->blocks;
        f->bytes += entry.cbData;
        // Wine's HeapWalk does not flag GlobalAlloc's movable blocks; their handle differs
        // from the data pointer on both systems.
        HGLOBAL handle = GlobalHandle(entry.lpData);
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_MOVEABLE) || (handle && handle != entry.lpData))
            ++f->movable;
    }
    HeapUnlock(heap);
}

HeapFigures Measure() {
    HeapFigures f;
    ZeroMemory(&f, sizeof(f));
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        WalkHeap(heaps[i], &f, heaps[i] == GetProcessHeap());
    return f;
}

// ---- the bare dialog: the same templates, nothing of the program's ----------------------

HWND BarePages[3];

INT_PTR CALLBACK BarePageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

INT_PTR CALLBACK BareOptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    static const int kPages[3] = {IDD_PAGE_GENERAL, IDD_PAGE_BLOCKING, IDD_PAGE_BORDERS};
    static char kNames[3][9] = {"General", "Blocking", "Borders"};
    switch (message) {
    case WM_INITDIALOG:
        for (int i = 0; i < 3; ++i) {
            TCITEMA tab;
            ZeroMemory(&tab, sizeof(tab));
            tab.mask = TCIF_TEXT;
            tab.pszText = kNames[i];
            SendDlgItemMessageA(dialog, IDC_TABS, TCM_INSERTITEMA, i, (LPARAM)&tab);
            BarePages[i] = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(kPages[i]),
                                              dialog, BarePageProc, 0);
        }
        ShowWindow(BarePages[0], SW_SHOW);
        return TRUE;
    case WM_COMMAND:
        if (lParam && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK BareHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == 1)
        DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OPTIONS), NULL,
                        BareOptionsProc, 0);
    else if (message == WM_HOTKEY)
        PostQuitMessage(0);
    else
        return DefWindowProcA(window, message, wParam, lParam);
    return 0;
}

int Host() {
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = BareHostProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "BareDialogHost";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, NULL,
                                  NULL, wc.hInstance, NULL);
    if (!RegisterHotKey(window, 1, MOD_CONTROL | MOD_ALT, VK_F7) ||
        !RegisterHotKey(window, 2, MOD_CONTROL | MOD_ALT, VK_F8))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

// ---- the actions, in-process ------------------------------------------------------------

// Ctrl+Alt+F10, F11, F12: combinations nobody else uses. No key is needed to pass a border.
const char kIni[] = "[Options]\r\nEnableDisableEffectHotKey=1657\r\nShowOptionsHotKey=1658\r\n"
                    "ExitProgramHotKey=1659\r\nUseKeyToPass=0\r\nGlobalEnabled=1\r\n";

int PressButton;           // IDOK or IDCANCEL for the next dialog
unsigned long OpenMovable; // movable (GlobalAlloc) blocks while the last dialog was up

// Runs inside the dialog's modal loop: clicks the button once the dialog is up.
void CALLBACK ClickWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", NULL);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(NULL, timer);
    OpenMovable = Measure().movable;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(PressButton, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, PressButton));
}

bool Act(const char* action, int i) {
    if (!strcmp(action, "toggle")) {
        SendMessageA(MainWindow, WM_HOTKEY, HotKeyIds[0], 0);
        return true;
    }
    if (!strcmp(action, "wrap")) {
        int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(w / 2, h / 2); // a different record first, or Wine skips the move
        SetCursorPos((i & 1) ? w - 1 : 0, h / 4 + (i * 37) % (h / 2));
        return WrapTick();
    }
    bool bare = !strcmp(action, "bare");
    PressButton = !strcmp(action, "ok") ? IDOK : IDCANCEL;
    if (!bare && strcmp(action, "ok") && strcmp(action, "cancel")) return false;
    SetTimer(NULL, 0, 10, ClickWhenShown);
    if (bare)
        DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_OPTIONS), NULL,
                        BareOptionsProc, 0);
    else
        SendMessageA(MainWindow, WM_HOTKEY, HotKeyIds[1], 0);
    return true;
}

bool StartProgram(const char* action) {
    InitPaths();
    HANDLE file = CreateFileA(SettingsPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) return false;
    WriteFile(file, kIni, sizeof(kIni) - 1, &written, NULL);
    CloseHandle(file);
    Instance = GetModuleHandleA(NULL);
    InitCommonControls();
    if (!strcmp(action, "bare")) return true;
    return RegisterMainWindowClass() && CreateMainWindow() && HotKeyIds[0] && HotKeyIds[1];
}

void StopProgram() {
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    DeleteFileA(SettingsPath);
}

HeapFigures Run(const char* action, int count, int* done) {
    *done = 0;
    for (int i = 0; i < count; ++i)
        *done += Act(action, i);
    return Measure();
}

const int kWarmUp = 10;

int Report(const char* action, int count) {
    if (!StartProgram(action)) return 1;
    int done = 0;
    Run(action, kWarmUp, &done);
    HeapFigures a = Measure();
    DWORD t0 = GetTickCount();
    HeapFigures b = Run(action, count, &done);
    DWORD ms = GetTickCount() - t0;
    StopProgram();
    printf(
        "| %s | %d | %lu | %lu -> %lu | %lu -> %lu | %lu -> %lu (%lu while open) | %lu -> %lu |\n",
        action, done, ms, a.blocks, b.blocks, a.bytes, b.bytes, a.movable, b.movable, OpenMovable,
        a.allBytes, b.allBytes);
    return done == count ? 0 : 1;
}

// What a repeated action may leave on the heap at most, over the whole run: Wine's own caches
// settle within the warm-up, so a leak of even one small block per action shows many times.
// A dialog action may also leave what the same dialog with none of the program's code leaves
// in the same run: 32-bit Wine keeps a few blocks of its own for every dialog (64-bit: none).
const int kCheckCycles = 40;
const long kSlackBlocks = 8;
const long kSlackBytes = 2048;

int Check() {
    static const char* const kActions[] = {"bare", "ok", "cancel", "toggle"};
    if (!StartProgram("ok")) return 1;
    // Movable blocks are compared with the count before the program's first dialog (a list
    // kept from one dialog to the next would hide in a baseline taken after the warm-up), but
    // after the bare dialogs: Wine keeps a few movable blocks of its own from the first one.
    unsigned long movable = 0;
    long bareBlocks = 0, bareBytes = 0;
    int failures = 0;
    for (const char* action : kActions) {
        int done = 0;
        Run(action, kWarmUp, &done);
        HeapFigures a = Measure();
        HeapFigures b = Run(action, kCheckCycles, &done);
        long blocks = (long)(b.blocks - a.blocks), bytes = (long)(b.bytes - a.bytes);
        const bool bare = !strcmp(action, "bare"), dialog = strcmp(action, "toggle") != 0;
        if (bare)
            movable = b.movable, bareBlocks = std::max(blocks, 0L), bareBytes = std::max(bytes, 0L);
        bool ok = bare || (done == kCheckCycles && b.movable == movable &&
                           blocks <= kSlackBlocks + (dialog ? bareBlocks : 0) &&
                           bytes <= kSlackBytes + (dialog ? bareBytes : 0));
        printf("%-7s %s: %d done, heap blocks %+ld, bytes %+ld; movable %lu (%lu before any)\n",
               action, ok ? "ok" : "LEAKS", done, blocks, bytes, b.movable, movable);
        failures += !ok;
    }
    StopProgram();
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && !strcmp(argv[1], "host")) return Host();
    if (argc == 2 && !strcmp(argv[1], "check")) return Check();
    if (argc == 4 && !strcmp(argv[1], "report")) return Report(argv[2], atoi(argv[3]));
    fprintf(stderr, "usage: memory_cycles report ACTION COUNT | check | host\n");
    return 2;
}
