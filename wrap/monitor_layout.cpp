// The monitors' rectangles for the desktop-wide mode, read when the topology may have changed.
#include "wrap.h"

#include <windows.h>

MonitorLayout Monitors;

// EnumDisplayMonitors is the one call that gives the monitors in the same coordinates as
// GetCursorPos and SetCursorPos for this process, DPI virtualization included (display-device
// modes are physical pixels), so it is the one callback outside a window procedure.
static BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
    MonitorLayout* layout = (MonitorLayout*)data;
    MonitorRect& m = layout->monitors[layout->count++];
    m.left = rect->left;
    m.top = rect->top;
    m.right = rect->right;
    m.bottom = rect->bottom;
    return layout->count < kMaxMonitors; // further monitors are left out
}

void ReadMonitorLayout() {
    MonitorLayout layout;
    layout.count = 0;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, (LPARAM)&layout);
    if (layout.count == 0) {
        // Nothing listed: the primary screen alone, so the mode still wraps as on one screen.
        MonitorRect primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        layout.monitors[0] = primary;
        layout.count = 1;
    }
    Monitors = layout;
}
