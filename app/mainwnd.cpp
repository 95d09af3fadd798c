// The hidden main window: creation, the wrap timer, destruction, and message dispatch.
#include "app.h"

#include "../hotkeys/hotkeys.h"
#include "../lang/lang.h"
#include "../res/resource.h"
#include "../settings/settings.h"
#include "../wrap/wrap.h"

HINSTANCE Instance;
HWND MainWindow;
UINT TaskbarCreatedMessage;
HMENU MenuResource;
HMENU TrayMenu;
MSG Message;

static const char kMutexName[] = "Quindlet.SingleInstance.7F3A9C21";
static const char kClassName[] = "TfmMain";
static const char kWindowTitle[] = "Quindlet v1.9";

bool IsAlreadyRunning() {
    HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName);
    if (other) return true;
    // Left open on purpose: the mutex marks this instance until the process ends.
    CreateMutexA(NULL, FALSE, kMutexName);
    return false;
}

bool RegisterMainWindowClass() {
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_PARENTDC;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = Instance;
    wc.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(IDI_EFFECT_ON));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND CreateMainWindow() {
    // Never shown: it only receives the timer, tray, hotkey and taskbar messages.
    return CreateWindowExA(0, kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, Instance, NULL);
}

static void OnCreate(HWND window) {
    InitPaths();
    MainWindow = window;
    // Explorer runs unelevated: without this, a copy started as administrator never hears
    // "TaskbarCreated" and loses its icon when Explorer restarts.
    ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage, MSGFLT_ALLOW, NULL);
    MenuResource = LoadMenuA(Instance, MAKEINTRESOURCEA(IDR_TRAYMENU));
    TrayMenu = GetSubMenu(MenuResource, 0);
    SetMenuDefaultItem(TrayMenu, CMD_ENABLED, FALSE);
    AboutOpen = false;
    OptionsOpen = false;
    LoadSettings();
    InitWrap(window);
    ReadMonitorLayout();
    LocalizeTrayMenu();
    RegisterHotKeys();
    int icon = IDI_EFFECT_ON;
    if (LoadGlobalEnabled() != 0 && Settings.DisabledBordersFlags != kAllBorders) {
        ResetWrapDelay();
        SetTimer(window, TIMER_WRAP, Settings.TimerInterval, NULL);
    } else {
        // The menu resource has Enabled checked; the check mark is the effect's state, so it
        // must be cleared when the effect starts off.
        CheckMenuItem(TrayMenu, CMD_ENABLED, MF_BYCOMMAND | MF_UNCHECKED);
        icon = IDI_EFFECT_OFF;
    }
    AddTrayIcon(LoadTrayIcon(icon));
}

static void OnDestroy(HWND window) {
    if (EffectEnabled()) KillTimer(window, TIMER_WRAP);
    EndPushCount();
    if (TrayIconPresent) DeleteTrayIcon();
    if (HotKeysRegistered) UnregisterHotKeys();
    DestroyMenu(MenuResource);
    MenuResource = NULL;
    TrayMenu = NULL;
    PostQuitMessage(0);
}

static void OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) return; // from a control, never from the tray menu
    switch (LOWORD(wParam)) {
    case CMD_ABOUT: ShowAboutBox(); break;
    case CMD_ENABLED: ToggleEffect(); break;
    case CMD_EXIT: DestroyWindow(MainWindow); break;
    case CMD_OPTIONS: ShowOptionsDialog(); break;
    }
}

static void OnTrayCallback(LPARAM lParam) {
    switch (lParam) {
    case WM_LBUTTONDBLCLK: ToggleEffect(); break;
    case WM_RBUTTONDOWN: ShowTrayMenu(); break;
    }
}

// Monitors added, removed, moved or resized: the desktop-wide mode wraps at the new edges.
static void OnDisplayChange() {
    ReadMonitorLayout();
}

// Explorer restarted: its new notification area knows nothing of our icon.
static void OnTaskbarCreated() {
    if (!TrayIconPresent) return;
    DeleteTrayIcon();
    AddTrayIcon(LoadTrayIcon(EffectEnabled() ? IDI_EFFECT_ON : IDI_EFFECT_OFF));
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_TIMER: WrapTick(); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case QM_TRAYCALLBACK: OnTrayCallback(lParam); return 0;
    case WM_HOTKEY: OnHotKey(wParam); return 0;
    case WM_DISPLAYCHANGE: OnDisplayChange(); return 0;
    case WM_INPUT: CountPush((HRAWINPUT)lParam); break; // DefWindowProc cleans up after it
    }
    // A registered message id is only known at run time, so it cannot be a case label.
    if (message == TaskbarCreatedMessage && TaskbarCreatedMessage != 0) {
        OnTaskbarCreated();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
