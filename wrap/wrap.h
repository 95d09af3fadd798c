// The wrap engine: on every tick, a cursor on a border of the primary screen (or, with
// WrapAcrossMonitors, on an outer edge of the desktop) is moved to just inside the opposite
// border, unless a gate holds it back.
//
// The decision is platform-free and split in two pure steps: FindWrapTarget (where would the
// cursor go, and is it in an ignorable corner) and WrapGateOpen (do the held button
// and the blocking key let it go). WrapTick gathers the inputs from Windows, reading key state
// only when a border was reached.
#pragma once

#include <stdint.h>

// IgnorableCorners: the corners, clockwise from the top left, where a touch of a border holds
// the cursor back. The top right alone is the classic single corner.
const uint32_t kCornerTopLeft = 1;
const uint32_t kCornerTopRight = 2;
const uint32_t kCornerBottomRight = 4;
const uint32_t kCornerBottomLeft = 8;

struct WrapInput {
    int32_t x, y;              // cursor position; negative on a monitor left of / above the primary
    int32_t screenWidth;       // SM_CXSCREEN
    int32_t screenHeight;      // SM_CYSCREEN
    uint32_t disabledBorders;  // BorderFlags; only the low byte is looked at
    uint32_t cornerWidth;      // IgnorableTRCornerWidth, the size of every ignorable corner
    uint32_t cornerHeight;     // IgnorableTRCornerHeight
    uint32_t ignorableCorners; // kCorner... bits; only the low four are looked at
};

struct WrapTarget {
    bool moved;    // a border was reached on which wrapping is enabled
    bool inCorner; // an ignorable corner was touched on the way
    int32_t x, y;  // landing point, one pixel inside the opposite border(s)
};

struct WrapGate {
    bool inCorner;
    bool buttonHoldBlocks; // DoNotTranferIfLMBPressed on and the primary button down
    bool blockingKeyDown;
    bool useKeyToPass;
};

WrapTarget FindWrapTarget(const WrapInput& in);
bool WrapGateOpen(const WrapGate& gate);

// ---- Across all monitors (WrapAcrossMonitors) ----------------------------------------------
// The borders are the outer edges of the desktop, the union of the monitors' full rectangles.
// The layout is read when the topology may have changed, never in the tick.

// More monitors than this: the first ones the system lists are used, and a cursor on any
// other one is not moved (an edge it shares with a listed monitor counts as outer).
const uint32_t kMaxMonitors = 16;

struct MonitorRect {
    int32_t left, top, right, bottom; // right and bottom exclusive, as in a Windows RECT
};

struct MonitorLayout {
    uint32_t count; // monitors in use; values above kMaxMonitors count as kMaxMonitors
    MonitorRect monitors[kMaxMonitors];
};

struct DesktopWrapInput {
    int32_t x, y;
    const MonitorLayout* layout;
    uint32_t disabledBorders; // as in WrapInput
    uint32_t cornerWidth;     // the corners are those of the monitor concerned
    uint32_t cornerHeight;
    uint32_t ignorableCorners;
};

// With a single monitor at (0, 0) and the cursor on it, decides exactly as FindWrapTarget.
// A cursor on no monitor is not moved.
WrapTarget FindDesktopWrapTarget(const DesktopWrapInput& in);

#ifdef _WIN32

// One timer tick: returns true when it moved the cursor.
bool WrapTick();
bool ButtonHoldBlocks();
bool BlockingKeyDown();

// The monitors' rectangles as the tick sees them in the desktop-wide mode.
extern MonitorLayout Monitors;
// Reads the layout anew: at start, when the display changes, and when the mode is switched on.
void ReadMonitorLayout();

#endif
