// The wrap engine: on every tick, a cursor on a border is moved to just inside the opposite
// border, unless a gate holds it back. It has two modes:
// - the primary screen (the default): the borders are those of the primary monitor, in the
//   coordinates this DPI-unaware program sees; a monitor beside it lies beyond a border;
// - across all monitors (WrapAcrossMonitors): the borders are the outer edges of the desktop,
//   the union of the monitors' rectangles; edges shared between monitors are crossed freely.
//   Where Windows allows it, the tick and the layout see physical pixels, so monitors at
//   different scale factors meet as they really do.
//
// The decision is platform-free and split in pure steps: FindWrapTarget or
// FindDesktopWrapTarget (where would the cursor go, and is it in an ignorable corner; the
// geometry, wrap_decision.cpp), an auto-hidden taskbar's edge held like a corner, WrapGateOpen
// (do the held button and the blocking key let it go), and the rules of the desk and the
// program in front that no key overrides (desk_rules.cpp). WrapTick gathers the inputs from
// Windows, asking anything beyond the cursor only when a border was reached.
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
    bool moved;       // a border was reached on which wrapping is enabled
    bool inCorner;    // an ignorable corner was touched on the way
    int32_t x, y;     // landing point, one pixel inside the opposite border(s)
    uint32_t borders; // the borders the cursor is on where wrapping is enabled: the kBorder
                      // bits of settings.h (1 left, 2 top, 4 right, 8 bottom); two at a corner
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

// A rectangle on the screen, as Windows gives one.
struct ScreenRect {
    int32_t left, top, right, bottom; // right and bottom exclusive
};

// The bounding rectangle of the layout's monitors; empty when it has none.
ScreenRect LayoutBounds(const MonitorLayout& layout);

// A corner size on a monitor of that DPI: rounded to nearest, saturating; 0 stays 0.
uint32_t ScaleToMonitor(uint32_t size, uint32_t dpi);

// A monitor's DPI from its width in physical pixels and as a DPI-unaware program sees it,
// rounded to nearest; 0 (unknown) unless both are positive.
uint32_t MonitorDpi(int32_t physicalWidth, int32_t unawareWidth);

// ---- What holds a wrap back: the desk and the program in front ----------------------------
// Pure rules over facts the tick gathers only on a tick that would move the cursor; none of
// those facts comes from a call that waits on another process.

// The resting delay: ticks in a row on a border where wrapping is enabled before the cursor
// wraps, 1 + ceil(delay / period) with a delay above kMaxWrapDelay counted as that.
uint32_t RestingTicksNeeded(uint32_t delayMs, uint32_t interval);
// The count after one more tick: 0 off every enabled border, else one more, up to needed.
uint32_t NextRestingCount(uint32_t count, bool onBorder, uint32_t needed);

// Window style bits the full-screen test looks at, as winuser.h defines them.
const uint32_t kStyleVisible = 0x10000000u;   // WS_VISIBLE
const uint32_t kStyleMinimised = 0x20000000u; // WS_MINIMIZE

// What the tick learns of the foreground window.
struct ForegroundWindow {
    bool desktop;          // the desktop window or the shell's desktop window
    bool ours;             // one of this program's own windows
    bool notRude;          // its "NonRudeHWND" property is set: it says it is not full-screen
    const char* className; // its window class
    uint32_t style;        // GWL_STYLE
    int32_t left, top, right, bottom;             // its client rectangle, in screen coordinates
    int32_t monLeft, monTop, monRight, monBottom; // the rectangle of its monitor
};

// The window classes of the taskbars: the main one, and one per other monitor that shows one.
constexpr const char* kTaskbarClasses[2] = {"Shell_TrayWnd", "Shell_SecondaryTrayWnd"};

// The desktop, the shell's desktop ("Progman", "WorkerW"), a taskbar, or one of our windows:
// never a full-screen program, never a program in front that keeps the cursor from wrapping.
bool IsShellOrOurs(const ForegroundWindow& w);

// A full-screen program, as Windows judges one: visible, not minimised, not the shell or ours,
// not marked "NonRudeHWND", with a client area covering the whole of its monitor, wherever its
// caption may be. A maximised window with a caption is not one.
bool IsFullScreenProgram(const ForegroundWindow& w);

// The lead bytes of the system's ANSI code page (IsDBCSLeadByte), read once at start: in a
// double-byte code page (Japanese, Chinese, Korean) the byte after one is a trail byte, never
// an ASCII letter to fold nor a backslash. All false in a single-byte code page.
struct LeadBytes {
    bool lead[256];
};

// The file name of a path: what follows its last backslash or slash.
const char* FileNamePart(const char* path, const LeadBytes& code);

// Whether a program, by the path of its image, is named in an ExcludedPrograms list: names
// separated by ';', spaces around them ignored, compared by file name ignoring the case of
// ASCII letters; a name without a dot also stands for that name with ".exe".
bool ProgramListNames(const char* list, const char* imagePath, const LeadBytes& code);

// Whether a list names anything at all: ";;;" and blanks do not.
bool ProgramListHasNames(const char* list);

// A Store app's frame belongs to ApplicationFrameHost.exe: the app is the program that owns the
// frame's content window, of class "Windows.UI.Core.CoreWindow", where it has one.
bool IsStoreAppFrame(const char* imagePath, const LeadBytes& code);

// Wrapping only with several monitors: the system counts duplicated displays as one.
bool TooFewMonitors(int32_t monitorCount);

// A taskbar window's place on a monitor: the edge it lies along and whether it hides itself.
// Edges are the kBorder bits of settings.h (1 left, 2 top, 4 right, 8 bottom).
struct TaskbarEdge {
    uint32_t edge;   // 0: the window lies along no edge of the monitor, or does not hide
    ScreenRect span; // the part of the window inside the monitor: its visible strip
    ScreenRect monitor;
};

// A visible taskbar window lies along edge E of a monitor when it overlaps the monitor,
// spans at least half of E, reaches or crosses E, and has its inner side in the monitor's half
// next to E. It hides itself when the monitor's work area still reaches E (a taskbar that
// stays takes its strip out of the work area). Only an auto-hidden one gets an edge.
TaskbarEdge FindTaskbarEdge(const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea);

// Keeps auto-hidden taskbars reachable: a cursor on a taskbar's edge, within its length, is
// held as in an ignorable corner (so the pass key lets it through), and a landing point on a
// taskbar's strip moves to the first row or column inward of it. With layout NULL (the
// primary-screen mode) every edge given counts; across all monitors only where it is an outer
// edge of the desktop.
struct TaskbarInput {
    int32_t x, y; // the cursor
    const TaskbarEdge* edges;
    uint32_t count;
    const MonitorLayout* layout;
};
WrapTarget KeepTaskbarsReachable(const TaskbarInput& in, WrapTarget target);

// After a move the cursor is read back: set once more when it is not where it was sent.
bool SetCursorAgain(int32_t x, int32_t y, bool readBack, int32_t readX, int32_t readY);

// ---- Games: a confined or hidden cursor ---------------------------------------------------

// GetCursorInfo's flags, as winuser.h defines them (the build's WINVER lacks the second).
const uint32_t kCursorShowing = 0x1;    // CURSOR_SHOWING
const uint32_t kCursorSuppressed = 0x2; // CURSOR_SUPPRESSED: touch or pen input, not hidden

// Whether a point lies in a rectangle, right and bottom exclusive. A landing point outside the
// cursor's confinement (GetClipCursor) is never moved to: Windows would pull it onto the edge.
bool RectHolds(const ScreenRect& r, int32_t x, int32_t y);

// Another program confines the cursor: the confinement leaves out part of the area the mode
// wraps in (the primary screen, or the bounding rectangle of the layout's monitors).
bool ConfinedWithin(const ScreenRect& clip, const ScreenRect& area);

// A game hides the cursor: ShowCursor(FALSE) leaves the flags 0; SDL, GLFW and browsers set a
// NULL cursor, which shows nothing. Touch and pen input suppress it, which is not hiding.
bool CursorHidden(uint32_t flags, bool noCursorShape);

// ---- Resistance by push distance (WrapDistance) --------------------------------------------

// One raw mouse packet, as far as the push count looks at it.
struct MousePacket {
    bool absolute;        // MOUSE_MOVE_ABSOLUTE: pens, remote sessions, virtual machines
    int32_t dx, dy;       // lLastX, lLastY: counts for a relative packet
    uint16_t buttonFlags; // usButtonFlags: a click or a wheel turn
};

// The count once the push can no longer be measured: it meets any distance.
const uint32_t kPushMet = 0xFFFFFFFFu;

// The count after one packet, on the borders (kBorder bits) the cursor rests on: only the motion
// toward them adds, saturating. An absolute packet that moves meets the distance at once; a
// click or wheel packet changes nothing.
uint32_t AddPush(uint32_t count, uint32_t borders, const MousePacket& packet);

// Whether the push meets WrapDistance; a distance above kMaxWrapDistance counts as that.
bool PushMet(uint32_t count, uint32_t distance);

#ifdef _WIN32

#include <windows.h>

// One timer tick: returns true when it moved the cursor.
bool WrapTick();
bool ButtonHoldBlocks();
bool BlockingKeyDown();

// The monitors' rectangles as the tick sees them in the desktop-wide mode.
extern MonitorLayout Monitors;
// Reads the layout anew: at start, when the display changes, when the mode is switched on, and
// from the tick while the cursor is on none of the monitors read.
void ReadMonitorLayout();
// The resting delay and the push count start over whenever the wrap timer starts.
void ResetWrapDelay();

// At start: raw input for the push distance goes to window (the main window), and the code
// page's lead bytes are read.
void InitWrap(HWND window);
// A WM_INPUT message: the motion toward the borders the cursor rests on is counted.
void CountPush(HRAWINPUT input);
// Stops listening to the mouse: the effect switched off, WrapDistance set to 0, or at exit.
void EndPushCount();

#endif
