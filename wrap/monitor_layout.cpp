// The monitors' rectangles for the desktop-wide mode, read when the topology may have changed.
#include "wrap.h"

#include "platform_calls.h"

MonitorLayout Monitors;
SetDpiContextProc SetThreadDpiContext;
DPI_AWARENESS_CONTEXT PhysicalPixels;

// What one reading gathers: the layout, and each monitor's handle for the second look.
struct LayoutReading {
    MonitorLayout layout;
    HMONITOR handles[kMaxMonitors];
};

// EnumDisplayMonitors is the one call that gives the monitors in the same coordinates as
// GetCursorPos and SetCursorPos for the calling thread, so it is the one callback outside a
// window procedure. Once the layout is full the enumeration is told to stop.
static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
    LayoutReading* reading = (LayoutReading*)data;
    MonitorLayout& layout = reading->layout;
    MonitorRect m = {rect->left, rect->top, rect->right, rect->bottom, 0};
    if (AddMonitorRect(layout, m)) reading->handles[layout.count - 1] = monitor;
    return layout.count < kMaxMonitors;
}

// Per-monitor awareness v2 (Windows 10 1703), else v1 (1607): the first this system accepts,
// or NULL where it has neither or no SetThreadDpiAwarenessContext at all.
static DPI_AWARENESS_CONTEXT FindPhysicalPixels() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    SetThreadDpiContext =
        (SetDpiContextProc)(void*)GetProcAddress(user32, "SetThreadDpiAwarenessContext");
    if (!SetThreadDpiContext) return NULL;
    const DPI_AWARENESS_CONTEXT kAware[2] = {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
                                             DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE};
    for (DPI_AWARENESS_CONTEXT aware : kAware) {
        DPI_AWARENESS_CONTEXT old = SetThreadDpiContext(aware);
        if (!old) continue;
        SetThreadDpiContext(old);
        return aware;
    }
    return NULL;
}

// Each monitor's scale: its physical width over its width as this DPI-unaware process sees
// it, the same HMONITOR looked at from an unaware thread (GetMonitorInfo answers in the
// calling thread's coordinates).
static void ReadScales(LayoutReading& reading) {
    DPI_AWARENESS_CONTEXT old = SetThreadDpiContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    for (uint32_t i = 0; i < reading.layout.count; ++i) {
        MONITORINFO info;
        info.cbSize = sizeof(info);
        MonitorRect& m = reading.layout.monitors[i];
        if (GetMonitorInfoA(reading.handles[i], &info))
            m.dpi = MonitorDpi(m.right - m.left, info.rcMonitor.right - info.rcMonitor.left);
    }
    if (old) SetThreadDpiContext(old);
}

void ReadMonitorLayout() {
    LayoutReading reading;
    reading.layout.count = 0;
    // The system's answer does not change while the program runs: asked at the first reading,
    // not again at every reading the tick makes while the cursor is off the layout.
    if (!SetThreadDpiContext) PhysicalPixels = FindPhysicalPixels();
    DPI_AWARENESS_CONTEXT old = PhysicalPixels ? SetThreadDpiContext(PhysicalPixels) : NULL;
    WrapEnumDisplayMonitors(AddMonitor, &reading);
    if (old) SetThreadDpiContext(old);
    if (PhysicalPixels) ReadScales(reading);
    if (reading.layout.count == 0) {
        // Nothing listed: the primary screen alone, so the mode still wraps as on one screen.
        MonitorRect primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               0};
        reading.layout.monitors[0] = primary;
        reading.layout.count = 1;
    }
    Monitors = reading.layout;
}
