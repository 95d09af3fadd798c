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

// The primary screen as the last tick read it.
static ScreenRect PrimaryScreen;

static WrapTarget PrimaryScreenTarget(POINT cursor) {
    WrapInput in;
    in.x = cursor.x;
    in.y = cursor.y;
    // Read anew on every tick so that a resolution change takes effect at once.
    in.screenWidth = WrapGetSystemMetrics(SM_CXSCREEN);
    in.screenHeight = WrapGetSystemMetrics(SM_CYSCREEN);
    in.rules = CurrentRules();
    PrimaryScreen = {0, 0, in.screenWidth, in.screenHeight};
    return FindWrapTarget(in);
}

// The full-screen test is platform-free, so it names the style bits itself.
static_assert(kStyleVisible == WS_VISIBLE && kStyleMinimised == WS_MINIMIZE,
              "the full-screen test's style bits are winuser.h's");

// A look the tick repeats about once a second while the same state lasts: counts the ticks
// down, and says when the next look is due (at once where ticksLeft was set to 0).
static bool LookDue(uint32_t& ticksLeft) {
    if (ticksLeft > 0) {
        --ticksLeft;
        return false;
    }
    ticksLeft = TicksFor(1000, Settings.TimerInterval);
    return true;
}

// Ticks to wait before the layout is read again while the cursor is on none of its monitors.
static uint32_t TicksUntilReread;

// No platform call while the cursor is on a monitor of the layout. Off them, a monitor came
// that the system did not announce (Wine sends no WM_DISPLAYCHANGE for an outside change, and
// some docks and remote sessions announce late): the layout is read again, at most about once
// a second while the cursor stays off it.
static WrapTarget DesktopTarget(POINT cursor) {
    if (LayoutHolds(Monitors, cursor.x, cursor.y))
        TicksUntilReread = 0;
    else if (LookDue(TicksUntilReread))
        ReadMonitorLayout();
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

// The push distance: raw mouse input is registered only while the cursor rests on a border,
// and the motion toward the borders it rests on is added up.
static HWND PushWindow;
static bool PushRegistered;
static uint32_t PushCount;
static uint32_t PushBorders;

void ResetWrapDelay() {
    RestingTicks = 0;
    PushCount = 0;
}

static LeadBytes CodePage;

void InitWrap(HWND window) {
    PushWindow = window;
    for (int b = 0; b < 256; ++b)
        CodePage.lead[b] = IsDBCSLeadByte((BYTE)b) != 0;
}

// A target window with RIDEV_REMOVE makes the call fail: the removal names none.
void EndPushCount() {
    if (!PushRegistered) return;
    RAWINPUTDEVICE mouse = {1, 2, RIDEV_REMOVE, NULL}; // generic desktop, mouse
    WrapRegisterRawInput(&mouse);
    PushRegistered = false;
    PushCount = 0;
}

// RIDEV_INPUTSINK: the mouse is heard while another program is in front, as it always is.
static void StartPushCount() {
    RAWINPUTDEVICE mouse = {1, 2, RIDEV_INPUTSINK, PushWindow};
    PushRegistered = WrapRegisterRawInput(&mouse) != 0;
    // Without raw input nothing can be measured: the cursor wraps as if no distance were set.
    PushCount = PushRegistered ? 0 : kPushMet;
}

// Into a fixed record: one mouse packet is far smaller than RAWINPUT; anything larger is not
// a mouse's and is left alone.
void CountPush(HRAWINPUT input) {
    RAWINPUT packet;
    UINT size = sizeof(packet);
    if (!PushRegistered) return;
    if (WrapGetRawInputData(input, &packet, &size) == (UINT)-1) return;
    if (packet.header.dwType != RIM_TYPEMOUSE) return;
    const RAWMOUSE& mouse = packet.data.mouse;
    MousePacket p;
    p.absolute = (mouse.usFlags & MOUSE_MOVE_ABSOLUTE) != 0;
    p.dx = mouse.lLastX;
    p.dy = mouse.lLastY;
    p.buttonFlags = mouse.usButtonFlags;
    PushCount = AddPush(PushCount, PushBorders, p);
}

// GetCursorInfo, read at most once a tick: whether it was read, and what it said.
struct CursorFacts {
    bool asked, read;
    CURSORINFO info;
};

static const CURSORINFO* ReadCursorInfo(CursorFacts& c) {
    if (!c.asked) {
        c.asked = true;
        c.info.cbSize = sizeof(c.info);
        c.read = WrapGetCursorInfo(&c.info) != 0;
    }
    return c.read ? &c.info : NULL;
}

// On a border with WrapDistance set: listening from the first tick there. Touch and pen input
// suppress the cursor, and no mouse pushes: the distance counts as met.
static void PushTick(const WrapTarget& target, CursorFacts& cursor) {
    if (!target.moved || !Settings.WrapDistance) {
        EndPushCount();
        return;
    }
    if (!PushRegistered) StartPushCount();
    PushBorders = target.borders;
    const CURSORINFO* info = ReadCursorInfo(cursor);
    if (info && (info->flags & kCursorSuppressed)) PushCount = kPushMet;
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

// What the tick learns of the foreground window: enough to tell the shell and our own windows
// apart, and its client area and monitor once a full-screen test asks for them.
struct FrontFacts {
    HWND window;
    DWORD process;
    char className[64]; // longer names are cut; none of the shell's is that long
    ForegroundWindow w;
};

static bool ReadFront(FrontFacts& f) {
    f.window = WrapGetForegroundWindow();
    if (!f.window) return false;
    f.process = 0;
    WrapGetWindowProcessId(f.window, &f.process);
    f.className[0] = '\0';
    WrapGetClassName(f.window, f.className, sizeof(f.className));
    f.w.desktop = f.window == WrapGetDesktopWindow() || f.window == WrapGetShellWindow();
    f.w.ours = f.process == WrapGetCurrentProcessId();
    f.w.className = f.className;
    return !IsShellOrOurs(f.w);
}

// Whether a full-screen program is in front on a monitor that matters: the primary in the
// primary-screen mode; the cursor's or the landing point's monitor across all monitors.
static bool FullScreenInFront(FrontFacts& f, POINT cursor, const WrapTarget& target) {
    RECT client;
    MONITORINFO info;
    info.cbSize = sizeof(info);
    HMONITOR monitor = WrapMonitorFromWindow(f.window);
    if (!WrapGetClientRect(f.window, &client) || !WrapGetMonitorInfo(monitor, &info)) return false;
    WrapMapWindowPoints(f.window, (POINT*)&client, 2);
    ForegroundWindow& w = f.w;
    w.notRude = WrapGetProp(f.window, "NonRudeHWND") != NULL;
    w.style = (uint32_t)WrapGetWindowLong(f.window, GWL_STYLE);
    w.left = client.left, w.top = client.top, w.right = client.right, w.bottom = client.bottom;
    w.monLeft = info.rcMonitor.left, w.monTop = info.rcMonitor.top;
    w.monRight = info.rcMonitor.right, w.monBottom = info.rcMonitor.bottom;
    if (!IsFullScreenProgram(w)) return false;
    if (!Settings.WrapAcrossMonitors) return (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    POINT landing = {target.x, target.y};
    return monitor == WrapMonitorFromPoint(cursor) || monitor == WrapMonitorFromPoint(landing);
}

// The path of a process's image; false where the process cannot be opened (another
// account's) or the path does not fit.
static bool ReadImagePath(DWORD process, char* path, DWORD size) {
    HANDLE handle = WrapOpenProcess(process);
    if (!handle) return false;
    bool read = WrapQueryImageName(handle, path, &size) != 0;
    WrapCloseHandle(handle);
    return read;
}

static bool ExcludedProgramInFront(const FrontFacts& f) {
    char path[1024]; // longer than any path QueryFullProcessImageNameA gives an ANSI caller
    if (!ReadImagePath(f.process, path, sizeof(path))) return false;
    if (IsStoreAppFrame(path, CodePage)) {
        // The frame's content window belongs to the app itself.
        HWND content = WrapFindWindowEx(f.window, NULL, "Windows.UI.Core.CoreWindow");
        DWORD app = 0;
        if (content && WrapGetWindowProcessId(content, &app) &&
            !ReadImagePath(app, path, sizeof(path)))
            return false;
    }
    return ProgramListNames(Settings.ExcludedPrograms, path, CodePage);
}

// A game holds the cursor: confines it to less than the area the mode wraps in (the primary
// screen, or the bounding rectangle of the layout's monitors), or hides it.
static bool GameHoldsCursor(const RECT* clip, CursorFacts& cursor) {
    const ScreenRect area = Settings.WrapAcrossMonitors ? LayoutBounds(Monitors) : PrimaryScreen;
    if (clip && ConfinedWithin({clip->left, clip->top, clip->right, clip->bottom}, area))
        return true;
    const CURSORINFO* info = ReadCursorInfo(cursor);
    return info && CursorHidden(info->flags, info->hCursor == NULL);
}

// The program in front: a game or a full-screen one (with PauseInFullScreen), or one named in
// ExcludedPrograms. The cheapest first: the cursor's own state before the foreground window.
static bool ProgramInFrontHolds(POINT cursor, const WrapTarget& target, const RECT* clip,
                                CursorFacts& cursorFacts) {
    const bool listed = ProgramListHasNames(Settings.ExcludedPrograms);
    if (!Settings.PauseInFullScreen && !listed) return false;
    if (Settings.PauseInFullScreen &&
        (GameHoldsCursor(clip, cursorFacts) || ShellReportsFullScreen()))
        return true;
    FrontFacts front;
    if (!ReadFront(front)) return false;
    if (Settings.PauseInFullScreen && FullScreenInFront(front, cursor, target)) return true;
    return listed && ExcludedProgramInFront(front);
}

// Auto-hidden taskbars, looked up on a tick that would move the cursor and kept while it
// stays on a border (people rest it on a hidden taskbar's edge to bring the taskbar up and
// click its buttons), then looked up again about once a second.
const int kMaxTaskbars = 8; // one per monitor that shows a taskbar
static TaskbarEdge Taskbars[kMaxTaskbars];
static uint32_t TaskbarCount;
static uint32_t TicksUntilTaskbarLookup;

// The taskbar windows' places on one monitor, where they hide themselves.
static void AddTaskbarEdges(const RECT* bars, int count, HMONITOR monitor) {
    MONITORINFO info;
    info.cbSize = sizeof(info);
    if (!WrapGetMonitorInfo(monitor, &info)) return;
    const RECT& m = info.rcMonitor;
    const RECT& work = info.rcWork;
    for (int i = 0; i < count && TaskbarCount < (uint32_t)kMaxTaskbars; ++i) {
        const ScreenRect bar = {bars[i].left, bars[i].top, bars[i].right, bars[i].bottom};
        const TaskbarEdge e = FindTaskbarEdge(bar, {m.left, m.top, m.right, m.bottom},
                                              {work.left, work.top, work.right, work.bottom});
        if (e.edge) Taskbars[TaskbarCount++] = e;
    }
}

static bool Overlap(const RECT& bar, const MonitorRect& m) {
    return bar.left < m.right && bar.right > m.left && bar.top < m.bottom && bar.bottom > m.top;
}

// No message goes to the shell: a hung Explorer must not stop the tick.
static void LookUpTaskbars() {
    RECT bars[kMaxTaskbars];
    int count = 0;
    for (const char* name : kTaskbarClasses) {
        HWND bar = NULL;
        while (count < kMaxTaskbars && (bar = WrapFindWindowEx(NULL, bar, name)) != NULL)
            if (WrapIsWindowVisible(bar) && WrapGetWindowRect(bar, &bars[count])) ++count;
    }
    TaskbarCount = 0;
    if (count == 0) return;
    if (!Settings.WrapAcrossMonitors) {
        const POINT origin = {0, 0}; // always on the primary monitor
        AddTaskbarEdges(bars, count, WrapMonitorFromPoint(origin));
        return;
    }
    for (uint32_t i = 0; i < Monitors.count && i < kMaxMonitors; ++i) {
        const MonitorRect& m = Monitors.monitors[i];
        bool touched = false;
        for (int b = 0; b < count; ++b)
            touched = touched || Overlap(bars[b], m);
        const POINT corner = {m.left, m.top};
        if (touched) AddTaskbarEdges(bars, count, WrapMonitorFromPoint(corner));
    }
}

static WrapTarget TaskbarsKept(POINT cursor, const WrapTarget& target) {
    if (LookDue(TicksUntilTaskbarLookup)) LookUpTaskbars();
    TaskbarInput in;
    in.x = cursor.x;
    in.y = cursor.y;
    in.edges = Taskbars;
    in.count = TaskbarCount;
    in.layout = Settings.WrapAcrossMonitors ? &Monitors : NULL;
    return KeepTaskbarsReachable(in, target);
}

static bool WrapOnce() {
    POINT cursor;
    if (!WrapGetCursorPos(&cursor)) return false;
    WrapTarget target =
        Settings.WrapAcrossMonitors ? DesktopTarget(cursor) : PrimaryScreenTarget(cursor);
    // Off every border the taskbars are looked up afresh on the next arrival at one.
    if (!target.moved) TicksUntilTaskbarLookup = 0;
    CursorFacts cursorFacts = {};
    if (Settings.WrapDistance || PushRegistered) PushTick(target, cursorFacts);
    // The resting delay and the push distance are both met before the cursor wraps.
    bool held = Settings.WrapDistance && !PushMet(PushCount, Settings.WrapDistance);
    if (Settings.WrapDelay) {
        uint32_t needed = RestingTicksNeeded(Settings.WrapDelay, Settings.TimerInterval);
        RestingTicks = NextRestingCount(RestingTicks, target.moved, needed);
        held = held || RestingTicks < needed;
    }
    if (held || !target.moved) return false;
    if (Settings.KeepTaskbarReachable) target = TaskbarsKept(cursor, target);

    WrapGate gate;
    gate.inCorner = target.inCorner;
    gate.buttonHoldBlocks = ButtonHoldBlocks();
    gate.blockingKeyDown = BlockingKeyDown();
    gate.useKeyToPass = Settings.UseKeyToPass != 0;
    if (!WrapGateOpen(gate)) return false;
    // Checked last, on a tick that would move the cursor; the pass key overrides none of them.
    if (Settings.OnlyWithSeveralMonitors && TooFewMonitors(WrapGetSystemMetrics(SM_CMONITORS)))
        return false;
    // Read once for both: a game's confinement, and a landing point outside any confinement,
    // which Windows would pull onto its edge. A failed call holds nothing.
    RECT clip;
    const RECT* confinement = WrapGetClipCursor(&clip) ? &clip : NULL;
    if (ProgramInFrontHolds(cursor, target, confinement, cursorFacts)) return false;
    if (confinement &&
        !RectHolds({clip.left, clip.top, clip.right, clip.bottom}, target.x, target.y))
        return false;

    const bool set = WrapSetCursorPos(target.x, target.y) != 0;
    // A move onto a monitor of another size or scale can land off the point asked; a second
    // move lands it.
    POINT landed;
    const bool read = WrapGetCursorPos(&landed) != 0;
    if (SetCursorAgain(target.x, target.y, read, landed.x, landed.y))
        WrapSetCursorPos(target.x, target.y);
    RestingTicks = 0;
    // A move the system refused is no wrap: the push counted so far still stands.
    if (set) PushCount = 0;
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
