#include "wrap.h"

#include "../settings/settings.h"
#include "platform_calls.h"

bool ButtonHoldBlocks() {
    if (!Settings.DoNotTranferIfLMBPressed) return false;
    // With swapped buttons the primary (left-hand "left") button is the physical right one.
    int button = WrapGetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return WrapGetKeyState(button) < 0;
}

bool BlockingKeyDown() {
    static const int kVirtualKeys[4] = {0, VK_SHIFT, VK_CONTROL, VK_MENU};
    uint32_t key = Settings.BlockingKey;
    if (key == kBlockingKeyNone || key > kBlockingKeyAlt) return false;
    return WrapGetKeyState(kVirtualKeys[key]) < 0;
}

static WrapRules CurrentRules() {
    WrapRules rules;
    rules.disabledBorders = Settings.DisabledBordersFlags;
    rules.cornerWidth = Settings.IgnorableTRCornerWidth;
    rules.cornerHeight = Settings.IgnorableTRCornerHeight;
    rules.ignorableCorners = Settings.IgnorableCorners;
    return rules;
}

static WrapTarget PrimaryScreenTarget(POINT cursor) {
    WrapInput in;
    in.x = cursor.x;
    in.y = cursor.y;
    // Read anew on every tick so that a resolution change takes effect at once.
    in.screenWidth = WrapGetSystemMetrics(SM_CXSCREEN);
    in.screenHeight = WrapGetSystemMetrics(SM_CYSCREEN);
    in.rules = CurrentRules();
    return FindWrapTarget(in);
}

// The full-screen test is platform-free, so it names the style bits itself.
static_assert(kStyleCaption == WS_CAPTION && kStyleVisible == WS_VISIBLE &&
                  kStyleMinimised == WS_MINIMIZE,
              "the full-screen test's style bits are winuser.h's");

// Ticks to wait before the layout is read again while the cursor is on none of its monitors.
static uint32_t TicksUntilReread;

// No platform call while the cursor is on a monitor of the layout. Off them, a monitor came
// that the system did not announce (Wine sends no WM_DISPLAYCHANGE for an outside change, and
// some docks and remote sessions announce late): the layout is read again, at most about once
// a second while the cursor stays off it.
static WrapTarget DesktopTarget(POINT cursor) {
    if (LayoutHolds(Monitors, cursor.x, cursor.y)) {
        TicksUntilReread = 0;
    } else if (TicksUntilReread > 0) {
        --TicksUntilReread;
    } else {
        ReadMonitorLayout();
        TicksUntilReread = TicksFor(1000, Settings.TimerInterval);
    }
    DesktopWrapInput in;
    in.x = cursor.x;
    in.y = cursor.y;
    in.layout = &Monitors;
    in.rules = CurrentRules();
    return FindDesktopWrapTarget(in);
}

QueryNotificationStateProc QueryNotificationState;
static bool NotificationStateLookedUp;

// Ticks in a row on a border where wrapping is enabled; kept only while WrapDelay is set.
static uint32_t RestingTicks;

void ResetWrapDelay() {
    RestingTicks = 0;
}

// A game or a presentation the shell knows runs full-screen, on whatever monitor.
static bool ShellReportsFullScreen() {
    if (!NotificationStateLookedUp) {
        NotificationStateLookedUp = true;
        HMODULE shell32 = GetModuleHandleA("shell32.dll");
        if (shell32)
            QueryNotificationState = (QueryNotificationStateProc)(void*)GetProcAddress(
                shell32, "SHQueryUserNotificationState");
    }
    int state = 0;
    if (!QueryNotificationState || WrapQueryNotificationState(&state) != S_OK) return false;
    return state == 3 || state == 4; // QUNS_RUNNING_D3D_FULL_SCREEN, QUNS_PRESENTATION_MODE
}

// Whether a full-screen program is in front on a monitor that matters: the primary in the
// primary-screen mode; the cursor's or the landing point's monitor across all monitors.
static bool FullScreenInFront(POINT cursor, const WrapTarget& target) {
    HWND window = WrapGetForegroundWindow();
    if (!window) return false;
    DWORD process = 0;
    WrapGetWindowProcessId(window, &process);
    char className[64] = ""; // longer names are cut; none of the shell's is that long
    WrapGetClassName(window, className, sizeof(className));
    RECT rect;
    MONITORINFO info;
    info.cbSize = sizeof(info);
    HMONITOR monitor = WrapMonitorFromWindow(window);
    if (!WrapGetWindowRect(window, &rect) || !WrapGetMonitorInfo(monitor, &info)) return false;
    ForegroundWindow w;
    w.desktop = window == WrapGetDesktopWindow() || window == WrapGetShellWindow();
    w.ours = process == WrapGetCurrentProcessId();
    w.className = className;
    w.style = (uint32_t)WrapGetWindowLong(window, GWL_STYLE);
    w.left = rect.left, w.top = rect.top, w.right = rect.right, w.bottom = rect.bottom;
    w.monLeft = info.rcMonitor.left, w.monTop = info.rcMonitor.top;
    w.monRight = info.rcMonitor.right, w.monBottom = info.rcMonitor.bottom;
    if (!IsFullScreenProgram(w)) return false;
    if (!Settings.WrapAcrossMonitors) return (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    POINT landing = {target.x, target.y};
    return monitor == WrapMonitorFromPoint(cursor) || monitor == WrapMonitorFromPoint(landing);
}

static bool WrapOnce() {
    POINT cursor;
    if (!WrapGetCursorPos(&cursor)) return false;
    WrapTarget target =
        Settings.WrapAcrossMonitors ? DesktopTarget(cursor) : PrimaryScreenTarget(cursor);
    if (Settings.WrapDelay) {
        uint32_t needed = RestingTicksNeeded(Settings.WrapDelay, Settings.TimerInterval);
        RestingTicks = NextRestingCount(RestingTicks, target.moved, needed);
        if (RestingTicks < needed) return false;
    }
    if (!target.moved) return false;

    WrapGate gate;
    gate.inCorner = target.inCorner;
    gate.buttonHoldBlocks = ButtonHoldBlocks();
    gate.blockingKeyDown = BlockingKeyDown();
    gate.useKeyToPass = Settings.UseKeyToPass != 0;
    if (!WrapGateOpen(gate)) return false;
    // Checked last, on a tick that would move the cursor; the pass key does not override it.
    if (Settings.PauseInFullScreen &&
        (ShellReportsFullScreen() || FullScreenInFront(cursor, target)))
        return false;

    WrapSetCursorPos(target.x, target.y);
    RestingTicks = 0;
    return true;
}

bool WrapTick() {
    if (!Settings.WrapAcrossMonitors || !PhysicalPixels) return WrapOnce();
    // Across all monitors the cursor is read and moved in physical pixels, as the layout was
    // read: the thread is switched once for the whole tick and switched back at once.
    DPI_AWARENESS_CONTEXT old = WrapSetThreadDpiContext(PhysicalPixels);
    bool moved = WrapOnce();
    if (old) WrapSetThreadDpiContext(old);
    return moved;
}
