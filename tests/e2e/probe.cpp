// probe.exe: what the end-to-end tests need done from inside the Wine prefix.
//   probe wait                      stay alive (keeps the prefix's explorer and wineserver up)
//   probe park X Y                  SetCursorPos (updates the Wine server's cursor record)
//   probe cursor                    prints GetCursorPos as "X Y"
//   probe keys VK [VK...]           presses the keys in order, releases them in reverse
//   probe hold MODS VK MS           registers a hotkey combination and holds it for MS ms
//   probe holdkey VK MS             presses a key, prints "down", releases it MS ms later
//   probe taskbarcreated            broadcasts "TaskbarCreated"
//   probe findwindow CLASS [TITLE]  exit code 0 when such a top-level window exists
//   probe waitgone CLASS MS         exit code 0 once no such window exists (within MS ms)
//   probe procinfo CLASS            for the process owning such a window, prints "pid GDI USER
//                                   handles windows private-bytes working-set-bytes"; handles
//                                   also from the system process list, which Wine fills, and
//                                   windows counted over all its top-level and child windows
//   probe dlgcommand TITLE ID       posts a click of button ID to the dialog titled TITLE
//   probe idletimer MS [cursor]     a hidden window with an MS timer that does nothing (or,
//                                   with "cursor", only reads the cursor): the cost of a bare
//                                   timer loop under Wine, and the floor of any polling design
//   probe tabrect TITLE INDEX       prints the screen rectangle "X Y W H" of tab INDEX of the
//                                   tab control (id 1005) in the dialog titled TITLE
//   probe dialogrect                prints the screen rectangle "X Y W H" of the top-level
//                                   dialog (class #32770); TITLE "-" above means that one too
//   probe monitors                  prints "screen W H" (SM_CXSCREEN, SM_CYSCREEN), "virtual X Y
//                                   W H" (SM_*VIRTUALSCREEN), "count N" (SM_CMONITORS), then
//                                   one "monitor L T R B [primary]" per EnumDisplayMonitors
//                                   rectangle, the primary first
//   probe setmode W H               gives the primary monitor a W x H mode through
//                                   ChangeDisplaySettingsExA, which broadcasts WM_DISPLAYCHANGE
//   probe cycle ACTION COUNT MS     one kind of action COUNT times, MS ms apart, for the memory
//                                   bench: wrap (the cursor put on a border, waits for the
//                                   wrap), toggle (Ctrl+Alt+F6), ok / cancel (Ctrl+Alt+F7 opens
//                                   Options, then that button); prints how many completed
//   probe button L|R MS             presses the physical left or right mouse button through
//                                   SendInput, prints "held", releases it after MS ms
//   probe swapbuttons 0|1           SwapMouseButton; Wine keeps the setting per process and
//                                   hands it to processes started later, so swap, then start
//   probe front popup|caption|tray|hidden L T R B MS
//                                   a top-level window over L T R B (screen coordinates, R and
//                                   B exclusive), borderless (WS_POPUP) or captioned
//                                   (WS_OVERLAPPEDWINDOW), brought to the front; prints "front"
//                                   once it is the foreground window ("behind" when it never
//                                   gets there), and stays MS ms or until killed; "tray" is a
//                                   borderless "Shell_SecondaryTrayWnd" shown without
//                                   activation, as a taskbar is; "hidden" a captioned one that
//                                   hides the cursor (ShowCursor(FALSE)), as a game does
//   probe push DX DY COUNT          moves the mouse COUNT times by DX DY mouse counts (SendInput,
//                                   relative, 20 ms apart), as the hand does: raw input hears it
//                                   at a border too, where the cursor cannot move on
// Exit code 2 means a bad command line.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

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

// "-" stands for whichever top-level dialog there is.
static HWND FindDialog(const char* title) {
    return FindWindowA("#32770", strcmp(title, "-") ? title : NULL);
}

// TCM_GETITEMRECT writes through a pointer, which must point into the tab control's own
// process: the rectangle is read back from memory allocated there.
static int PrintTabRect(const char* title, int index) {
    HWND dialog = FindDialog(title);
    HWND tabs = dialog ? GetDlgItem(dialog, 1005) : NULL;
    if (!tabs) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return 1;
    void* remote = VirtualAllocEx(process, NULL, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT r = {0, 0, 0, 0};
    bool ok = remote && SendMessageA(tabs, TCM_GETITEMRECT, index, (LPARAM)remote) &&
              ReadProcessMemory(process, remote, &r, sizeof(r), NULL);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!ok) return 1;
    MapWindowPoints(tabs, NULL, (POINT*)&r, 2);
    printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

// The handle count as the system's process list reports it (0 when unavailable).
static unsigned long ListedHandleCount(DWORD pid) {
    typedef LONG(WINAPI * QueryFn)(int, void*, ULONG, ULONG*);
    QueryFn query =
        (QueryFn)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    if (!query) return 0;
    ULONG size = 1 << 20;
    BYTE* buffer = (BYTE*)malloc(size);
    unsigned long count = 0;
    if (buffer && query(5 /* SystemProcessInformation */, buffer, size, &size) == 0) {
        for (BYTE* p = buffer;;) {
            SYSTEM_PROCESS_INFORMATION* info = (SYSTEM_PROCESS_INFORMATION*)p;
            if ((DWORD)(ULONG_PTR)info->UniqueProcessId == pid) count = info->HandleCount;
            if (!info->NextEntryOffset) break;
            p += info->NextEntryOffset;
        }
    }
    free(buffer);
    return count;
}

static bool IdleTimerReadsCursor;

static LRESULT CALLBACK IdleTimerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        POINT p;
        if (IdleTimerReadsCursor) GetCursorPos(&p);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static DWORD WindowOwner;
static unsigned long OwnedWindows;

static BOOL CALLBACK CountChild(HWND window, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == WindowOwner) ++OwnedWindows;
    return TRUE;
}

static BOOL CALLBACK CountTopLevel(HWND window, LPARAM) {
    CountChild(window, 0);
    EnumChildWindows(window, CountChild, 0);
    return TRUE;
}

// --- Several monitors -----------------------------------------------------------------------
static int MonitorLines;
static char MonitorText[16][64];

static BOOL CALLBACK ListMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info;
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info) || MonitorLines >= 16) return TRUE;
    bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    // The primary goes first: move whatever is in slot 0 to the end.
    int slot = MonitorLines++;
    if (primary && slot > 0) {
        memcpy(MonitorText[slot], MonitorText[0], sizeof(MonitorText[0]));
        slot = 0;
    }
    const RECT& r = info.rcMonitor;
    snprintf(MonitorText[slot], sizeof(MonitorText[slot]), "monitor %ld %ld %ld %ld%s", r.left,
             r.top, r.right, r.bottom, primary ? " primary" : "");
    return TRUE;
}

// Returns -1 when the command is none of these.
static int MonitorCommand(int argc, char** argv) {
    if (!strcmp(argv[1], "monitors") && argc == 2) {
        printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        printf("virtual %d %d %d %d\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN));
        printf("count %d\n", GetSystemMetrics(SM_CMONITORS));
        MonitorLines = 0;
        if (!EnumDisplayMonitors(NULL, NULL, ListMonitor, 0)) return 1;
        for (int i = 0; i < MonitorLines; ++i)
            printf("%s\n", MonitorText[i]);
        return 0;
    }
    if (!strcmp(argv[1], "setmode") && argc == 4) {
        DEVMODEA mode;
        ZeroMemory(&mode, sizeof(mode));
        mode.dmSize = sizeof(mode);
        mode.dmPelsWidth = Number(argv[2]);
        mode.dmPelsHeight = Number(argv[3]);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        // No device name: the primary. No flags: a dynamic change, announced to every
        // top-level window by WM_DISPLAYCHANGE.
        LONG result = ChangeDisplaySettingsExA(NULL, &mode, NULL, 0, NULL);
        if (result != DISP_CHANGE_SUCCESSFUL) printf("ChangeDisplaySettingsExA: %ld\n", result);
        return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
    }
    return -1;
}
// --- end of several monitors ------------------------------------------------------------------
// ---- cycle: one action repeated, for the memory bench ------------------------------------
// One process for the whole run: a probe started per action would cap the rate at a few a
// second, and each start is Wine's work, not the measured program's.

static bool WaitFor(bool (*done)(), DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (!done()) {
        if ((LONG)(end - GetTickCount()) < 0) return false;
        Sleep(5);
    }
    return true;
}

static POINT CycleTarget;

static bool CursorLeftTarget() {
    POINT p;
    GetCursorPos(&p);
    return p.x != CycleTarget.x || p.y != CycleTarget.y;
}

static bool DialogVisible() {
    HWND dialog = FindDialog("-");
    return dialog && IsWindowVisible(dialog);
}

static bool DialogGone() {
    return !FindDialog("-");
}

static void PressCtrlAlt(WORD vk) {
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    SendKey(vk, false);
    SendKey(vk, true);
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
}

static bool CycleOnce(const char* action, int i) {
    if (!strcmp(action, "wrap")) {
        int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(w / 2, h / 2); // a different record first, or Wine skips the move
        CycleTarget.x = (i & 1) ? w - 1 : 0;
        CycleTarget.y = h / 4 + (i * 37) % (h / 2);
        SetCursorPos(CycleTarget.x, CycleTarget.y);
        return WaitFor(CursorLeftTarget, 1000);
    }
    if (!strcmp(action, "toggle")) {
        PressCtrlAlt(VK_F6);
        return true;
    }
    int button = !strcmp(action, "ok") ? IDOK : !strcmp(action, "cancel") ? IDCANCEL : 0;
    if (!button) return false;
    PressCtrlAlt(VK_F7);
    if (!WaitFor(DialogVisible, 3000)) return false;
    HWND dialog = FindDialog("-");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, button));
    return WaitFor(DialogGone, 3000);
}

static int Cycle(const char* action, int count, int ms) {
    int done = 0;
    for (int i = 0; i < count; ++i) {
        if (CycleOnce(action, i)) ++done;
        Sleep(ms);
    }
    printf("%d\n", done);
    return done == count ? 0 : 1;
}
// ---- mouse buttons ----
static void SendButton(bool right, bool up) {
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = right ? (up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN)
                             : (up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
    SendInput(1, &input, sizeof(input));
}

// -1 when the command is not one of these.
static int MouseButtonCommand(int argc, char** argv) {
    if (!strcmp(argv[1], "button") && argc == 4 &&
        (!strcmp(argv[2], "L") || !strcmp(argv[2], "R"))) {
        bool right = argv[2][0] == 'R';
        SendButton(right, false);
        printf("held\n");
        fflush(stdout);
        Sleep(Number(argv[3]));
        SendButton(right, true);
        return 0;
    }
    if (!strcmp(argv[1], "swapbuttons") && argc == 3) {
        SwapMouseButton(Number(argv[2]) != 0);
        return 0;
    }
    return -1;
}
// ---- end of mouse buttons ----
// ---- a window in front, as a full-screen program would be ----
static LRESULT CALLBACK FrontProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

static void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// Handles the window's messages for ms milliseconds.
static void PumpFor(DWORD ms) {
    for (DWORD end = GetTickCount() + ms; (LONG)(end - GetTickCount()) > 0; Sleep(10))
        PumpMessages();
}

static int FrontWindow(const char* kind, char** rect, int ms) {
    // A taskbar stands in for the shell's own: its class is all that tells it apart.
    const bool tray = !strcmp(kind, "tray");
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = FrontProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    // Wine reports the foreground thread's cursor to GetCursorInfo, and none at all (a hidden
    // cursor, to a game rule) until some window sets one; on Windows there always is one.
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = tray ? "Shell_SecondaryTrayWnd" : "ProbeFront";
    RegisterClassA(&wc);
    int left = Number(rect[0]), top = Number(rect[1]);
    DWORD style =
        !strcmp(kind, "caption") || !strcmp(kind, "hidden") ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    HWND window = CreateWindowExA(tray ? WS_EX_NOACTIVATE : 0, wc.lpszClassName, "Probe in front",
                                  style, left, top, Number(rect[2]) - left, Number(rect[3]) - top,
                                  NULL, NULL, wc.hInstance, NULL);
    if (!window) return 1;
    ShowWindow(window, tray ? SW_SHOWNOACTIVATE : SW_SHOW);
    if (!tray) {
        SetForegroundWindow(window);
        PumpFor(200);
        // Wine confines the pointer to a foreground window that covers the whole virtual screen
        // when it is activated, and then refuses every other process's SetCursorPos; Windows
        // confines nothing unless the program asks. Wine lets go when the foreground moves to
        // another thread, and confines nothing for a second after that: so away and back.
        SetForegroundWindow(GetDesktopWindow());
        PumpFor(50);
        SetForegroundWindow(window);
        PumpFor(200);
        SetCursor(wc.hCursor);
        if (!strcmp(kind, "hidden")) ShowCursor(FALSE);
    }
    printf(tray || GetForegroundWindow() == window ? "front\n" : "behind\n");
    fflush(stdout);
    SetTimer(window, 1, ms, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    int monitorResult = MonitorCommand(argc, argv);
    if (monitorResult >= 0) return monitorResult;
    const char* cmd = argv[1];
    int buttons = MouseButtonCommand(argc, argv);
    if (buttons >= 0) return buttons;
    static const char* const kFrontKinds[] = {"popup", "caption", "tray", "hidden"};
    for (const char* kind : kFrontKinds)
        if (!strcmp(cmd, "front") && argc == 8 && !strcmp(argv[2], kind))
            return FrontWindow(kind, argv + 3, Number(argv[7]));
    if (!strcmp(cmd, "push") && argc == 5) {
        // Steps of at most 6 counts: the system's acceleration leaves them as they are.
        INPUT input;
        ZeroMemory(&input, sizeof(input));
        input.type = INPUT_MOUSE;
        input.mi.dx = Number(argv[2]);
        input.mi.dy = Number(argv[3]);
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        for (int i = 0; i < Number(argv[4]); ++i, Sleep(20))
            if (SendInput(1, &input, sizeof(input)) != 1) return 1;
        return 0;
    }
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
        for (int i = 2; i < argc; ++i)
            SendKey((WORD)Number(argv[i]), false);
        for (int i = argc - 1; i >= 2; --i)
            SendKey((WORD)Number(argv[i]), true);
        return 0;
    } else if (!strcmp(cmd, "hold") && argc == 5) {
        if (!RegisterHotKey(NULL, 1, Number(argv[2]), Number(argv[3]))) return 1;
        printf("held\n");
        fflush(stdout);
        Sleep(Number(argv[4]));
        return 0;
    } else if (!strcmp(cmd, "holdkey") && argc == 4) {
        SendKey((WORD)Number(argv[2]), false);
        printf("down\n");
        fflush(stdout);
        Sleep(Number(argv[3]));
        SendKey((WORD)Number(argv[2]), true);
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
    } else if (!strcmp(cmd, "procinfo") && argc == 3) {
        HWND window = FindWindowA(argv[2], NULL);
        DWORD pid = 0;
        if (!window || !GetWindowThreadProcessId(window, &pid)) return 1;
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        if (!process) return 1;
        DWORD handles = 0;
        GetProcessHandleCount(process, &handles);
        if (!handles) handles = ListedHandleCount(pid);
        WindowOwner = pid;
        OwnedWindows = 0;
        EnumWindows(CountTopLevel, 0);
        PROCESS_MEMORY_COUNTERS_EX mem;
        ZeroMemory(&mem, sizeof(mem));
        GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS*)&mem, sizeof(mem));
        printf("%lu %lu %lu %lu %lu %lu %lu\n", pid, GetGuiResources(process, GR_GDIOBJECTS),
               GetGuiResources(process, GR_USEROBJECTS), handles, OwnedWindows,
               (unsigned long)mem.PrivateUsage, (unsigned long)mem.WorkingSetSize);
        CloseHandle(process);
        return 0;
    } else if (!strcmp(cmd, "idletimer") && (argc == 3 || argc == 4)) {
        IdleTimerReadsCursor = argc == 4 && !strcmp(argv[3], "cursor");
        WNDCLASSA wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = IdleTimerProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "ProbeIdleTimer";
        RegisterClassA(&wc);
        HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                      NULL, NULL, wc.hInstance, NULL);
        SetTimer(window, 1, Number(argv[2]), NULL);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0)
            DispatchMessageA(&msg);
        return 0;
    } else if (!strcmp(cmd, "dlgcommand") && argc == 4) {
        HWND dialog = FindDialog(argv[2]);
        if (!dialog) return 1;
        int id = Number(argv[3]);
        HWND button = GetDlgItem(dialog, id);
        return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button) ? 0 : 1;
    } else if (!strcmp(cmd, "dialogrect")) {
        RECT r;
        HWND dialog = FindDialog("-");
        if (!dialog || !IsWindowVisible(dialog) || !GetWindowRect(dialog, &r)) return 1;
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    } else if (!strcmp(cmd, "tabrect") && argc == 4) {
        return PrintTabRect(argv[2], Number(argv[3]));
    } else if (!strcmp(cmd, "cycle") && argc == 5) {
        return Cycle(argv[2], Number(argv[3]), Number(argv[4]));
    }
    return 2;
}
