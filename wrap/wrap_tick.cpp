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

static bool WrapOnce() {
    POINT cursor;
    if (!WrapGetCursorPos(&cursor)) return false;
    WrapTarget target =
        Settings.WrapAcrossMonitors ? DesktopTarget(cursor) : PrimaryScreenTarget(cursor);
    if (!target.moved) return false;

    WrapGate gate;
    gate.inCorner = target.inCorner;
    gate.buttonHoldBlocks = ButtonHoldBlocks();
    gate.blockingKeyDown = BlockingKeyDown();
    gate.useKeyToPass = Settings.UseKeyToPass != 0;
    if (!WrapGateOpen(gate)) return false;

    WrapSetCursorPos(target.x, target.y);
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
