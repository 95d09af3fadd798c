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

static WrapTarget PrimaryScreenTarget(POINT cursor) {
    WrapInput in;
    in.x = cursor.x;
    in.y = cursor.y;
    // Read anew on every tick so that a resolution change takes effect at once.
    in.screenWidth = WrapGetSystemMetrics(SM_CXSCREEN);
    in.screenHeight = WrapGetSystemMetrics(SM_CYSCREEN);
    in.disabledBorders = Settings.DisabledBordersFlags;
    in.cornerWidth = Settings.IgnorableTRCornerWidth;
    in.cornerHeight = Settings.IgnorableTRCornerHeight;
    in.ignorableCorners = Settings.IgnorableCorners;
    return FindWrapTarget(in);
}

// No platform call: the layout was read when the topology last changed.
static WrapTarget DesktopTarget(POINT cursor) {
    DesktopWrapInput in;
    in.x = cursor.x;
    in.y = cursor.y;
    in.layout = &Monitors;
    in.disabledBorders = Settings.DisabledBordersFlags;
    in.cornerWidth = Settings.IgnorableTRCornerWidth;
    in.cornerHeight = Settings.IgnorableTRCornerHeight;
    in.ignorableCorners = Settings.IgnorableCorners;
    return FindDesktopWrapTarget(in);
}

bool WrapTick() {
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
