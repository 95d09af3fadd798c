// The wrap engine: on every tick, a cursor on a border is moved to just inside the opposite
// border, unless a gate holds it back. It has two modes:
// - the primary screen (the default): the borders are those of the primary monitor, in the
//   coordinates this DPI-unaware program sees; a monitor beside it lies beyond a border;
// - across all monitors (WrapAcrossMonitors): the borders are the outer edges of the desktop,
//   the union of the monitors' rectangles; edges shared between monitors are crossed freely.
//   Where Windows allows it, the tick and the layout see physical pixels, so monitors at
//   different scale factors meet as they really do.
//
// The decision is platform-free and split in two pure steps: FindWrapTarget or
// FindDesktopWrapTarget (where would the cursor go, and is it in an ignorable corner) and
// WrapGateOpen (do the held button and the blocking key let it go). WrapTick gathers the
// inputs from Windows, reading key state only when a border was reached.
#pragma once

#include <stdint.h>

// IgnorableCorners: the corners, clockwise from the top left, where a touch of a border holds
// the cursor back. The top right alone is the classic single corner.
const uint32_t kCornerTopLeft = 1;
const uint32_t kCornerTopRight = 2;
const uint32_t kCornerBottomRight = 4;
const uint32_t kCornerBottomLeft = 8;

// The settings both modes decide by.
struct WrapRules {
    uint32_t disabledBorders;  // BorderFlags; only the low byte is looked at
    uint32_t cornerWidth;      // IgnorableTRCornerWidth, the size of every ignorable corner
    uint32_t cornerHeight;     // IgnorableTRCornerHeight
    uint32_t ignorableCorners; // kCorner... bits; only the low four are looked at
};

struct WrapInput {
    int32_t x, y;         // cursor position; negative on a monitor left of / above the primary
    int32_t screenWidth;  // SM_CXSCREEN
    int32_t screenHeight; // SM_CYSCREEN
    WrapRules rules;
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

// Timer ticks that span a time: ms over the period, rounded up; SetTimer makes a period
// shorter than 10 ms 10 ms.
uint32_t TicksFor(uint32_t ms, uint32_t interval);

// ---- Staying out of the way (PauseInFullScreen, WrapDelay) ----------------------------------

// The resting delay: ticks in a row on a border where wrapping is enabled before the cursor
// wraps, 1 + ceil(delay / period) with a delay above kMaxWrapDelay counted as that.
uint32_t RestingTicksNeeded(uint32_t delayMs, uint32_t interval);
// The count after one more tick: 0 off every enabled border, else one more, up to needed.
uint32_t NextRestingCount(uint32_t count, bool onBorder, uint32_t needed);

// Window style bits the full-screen test looks at, as winuser.h defines them.
const uint32_t kStyleCaption = 0x00C00000u;   // WS_CAPTION: WS_BORDER | WS_DLGFRAME
const uint32_t kStyleVisible = 0x10000000u;   // WS_VISIBLE
const uint32_t kStyleMinimised = 0x20000000u; // WS_MINIMIZE

// What the tick learns of the foreground window.
struct ForegroundWindow {
    bool desktop;                     // the desktop window or the shell's desktop window
    bool ours;                        // one of this program's own windows
    const char* className;            // its window class
    uint32_t style;                   // GWL_STYLE
    int32_t left, top, right, bottom; // its window rectangle
    int32_t monLeft, monTop, monRight, monBottom; // the rectangle of its monitor
};

// A full-screen program: visible, not minimised, not the desktop, the shell's desktop
// ("Progman", "WorkerW"), a taskbar or one of ours, without a full caption, and covering the
// whole of its monitor. A maximised window with a caption is not one.
bool IsFullScreenProgram(const ForegroundWindow& w);

// ---- Across all monitors (WrapAcrossMonitors) ----------------------------------------------
// The layout is read when the topology may have changed, and in the tick only when the cursor
// is on none of its monitors (a monitor came without a word from the system).

// More monitors than this: the first ones the system lists are used, and a cursor on any
// other one is not moved (an edge it shares with a listed monitor counts as outer; the tick
// reads the layout again about once a second while the cursor stays there).
const uint32_t kMaxMonitors = 16;

struct MonitorRect {
    int32_t left, top, right, bottom; // right and bottom exclusive, as in a Windows RECT
    uint32_t dpi = 0; // the monitor's scale factor as DPI (96 is 100 %); 0 when unknown: 100 %
};

struct MonitorLayout {
    uint32_t count; // monitors in use; values above kMaxMonitors count as kMaxMonitors
    MonitorRect monitors[kMaxMonitors];
};

struct DesktopWrapInput {
    int32_t x, y;
    const MonitorLayout* layout;
    WrapRules rules; // the corners are those of the monitor concerned, scaled by its DPI
};

// With a single monitor at (0, 0) at 100 % and the cursor on it, decides exactly as
// FindWrapTarget. A cursor on no monitor is not moved. Empty or inverted rectangles count for
// nothing. Where monitors are at least 3 by 3 pixels and do not overlap, a landing point is
// never itself on an outer edge where wrapping is enabled.
WrapTarget FindDesktopWrapTarget(const DesktopWrapInput& in);

// Adds a monitor as the system lists it: an empty or inverted rectangle is left out, and so is
// any monitor beyond kMaxMonitors. Returns whether it was added.
bool AddMonitorRect(MonitorLayout& layout, const MonitorRect& monitor);

// Whether a point lies on one of the layout's monitors.
bool LayoutHolds(const MonitorLayout& layout, int32_t x, int32_t y);

// A corner size on a monitor of that DPI: rounded to nearest, saturating; 0 stays 0.
uint32_t ScaleToMonitor(uint32_t size, uint32_t dpi);

// A monitor's DPI from its width in physical pixels and as a DPI-unaware program sees it,
// rounded to nearest; 0 (unknown) unless both are positive.
uint32_t MonitorDpi(int32_t physicalWidth, int32_t unawareWidth);

#ifdef _WIN32

// One timer tick: returns true when it moved the cursor.
bool WrapTick();
bool ButtonHoldBlocks();
bool BlockingKeyDown();

// The monitors' rectangles as the tick sees them in the desktop-wide mode.
extern MonitorLayout Monitors;
// Reads the layout anew: at start, when the display changes, when the mode is switched on, and
// from the tick while the cursor is on none of the monitors read.
void ReadMonitorLayout();
// The resting delay starts over whenever the wrap timer starts.
void ResetWrapDelay();

#endif
