// FindWrapTarget, FindDesktopWrapTarget, WrapGateOpen and the taskbar rule over every input: no
// UB for any screen size or monitor layout; for real screen sizes the landing rules hold and the
// borders named are those wrapped at; with the top-right corner alone the decision is the
// classic one; on one monitor the desktop-wide decision is the primary-screen one. Input: the
// WrapInput fields, four gate bits, then optionally a monitor count and that many rectangles.
#include "../../wrap/wrap.h"
#include "../host/classic_wrap.h"
#include "fuzz_check.h"

#include <stdint.h>
#include <string.h>

static bool SameTarget(const WrapTarget& a, const WrapTarget& b) {
    return a.moved == b.moved && a.inCorner == b.inCorner && a.x == b.x && a.y == b.y;
}

static DesktopWrapInput OnLayout(const WrapInput& in, const MonitorLayout* layout) {
    DesktopWrapInput d;
    d.x = in.x;
    d.y = in.y;
    d.layout = layout;
    d.rules = in.rules;
    return d;
}

static bool Holds(const MonitorRect& m, int32_t x, int32_t y) {
    return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
}

static bool OnMonitor(const MonitorLayout& layout, uint32_t count, int32_t x, int32_t y) {
    for (uint32_t i = 0; i < count; ++i) {
        if (Holds(layout.monitors[i], x, y)) return true;
    }
    return false;
}

// Any layout: nothing moves a cursor on no monitor, an axis that does not wrap keeps its
// coordinate, where every monitor is at least 2 by 2 pixels a wrap lands on a monitor, and
// where they are at least 3 by 3 and apart, on a point that does not wrap again.
static void CheckLayout(const WrapInput& in, const uint8_t* data, size_t size) {
    MonitorLayout layout;
    memset(&layout, 0, sizeof(layout));
    layout.count = data[0];
    size_t bytes = size - 1 < sizeof(layout.monitors) ? size - 1 : sizeof(layout.monitors);
    memcpy(layout.monitors, data + 1, bytes);
    WrapTarget t = FindDesktopWrapTarget(OnLayout(in, &layout));
    uint32_t count = layout.count < kMaxMonitors ? layout.count : kMaxMonitors;
    if (!OnMonitor(layout, count, in.x, in.y)) FUZZ_CHECK(!t.moved);
    if (!t.moved) FUZZ_CHECK(t.x == in.x && t.y == in.y && !t.inCorner);
    bool sane = true, roomy = true; // at least 2 by 2; at least 3 by 3 and none overlapping
    const ScreenRect bounds = LayoutBounds(layout); // holds every monitor
    for (uint32_t i = 0; i < count; ++i) {
        const MonitorRect& m = layout.monitors[i];
        FUZZ_CHECK(!ConfinedWithin(bounds, {m.left, m.top, m.right, m.bottom}));
        sane = sane && (int64_t)m.right - m.left >= 2 && (int64_t)m.bottom - m.top >= 2;
        roomy = roomy && (int64_t)m.right - m.left >= 3 && (int64_t)m.bottom - m.top >= 3;
        for (uint32_t j = 0; j < i; ++j) {
            const MonitorRect& o = layout.monitors[j];
            roomy = roomy &&
                    !(m.left < o.right && o.left < m.right && m.top < o.bottom && o.top < m.bottom);
        }
    }
    if (sane && t.moved) FUZZ_CHECK(OnMonitor(layout, count, t.x, t.y));
    // Any taskbar, monitor and work area: a taskbar only holds a wrap back or moves where it
    // lands, within the monitor.
    const MonitorRect& b = layout.monitors[1];
    const MonitorRect& m = layout.monitors[0];
    const TaskbarEdge e = FindTaskbarEdge({b.left, b.top, b.right, b.bottom},
                                          {m.left, m.top, m.right, m.bottom}, {0, 0, b.top, m.top});
    const WrapTarget kept = KeepTaskbarsReachable({in.x, in.y, &e, 1, &layout}, t);
    FUZZ_CHECK(kept.moved == t.moved && (kept.inCorner || !t.inCorner));
    if (t.moved && Holds(m, t.x, t.y)) FUZZ_CHECK(Holds(m, kept.x, kept.y));
    if (roomy && t.moved) { // the landing point is not moved on by the next decision
        DesktopWrapInput again = OnLayout(in, &layout);
        again.x = t.x;
        again.y = t.y;
        FUZZ_CHECK(!FindDesktopWrapTarget(again).moved);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WrapInput in;
    if (size < sizeof(in) + 1) return 0;
    memcpy(&in, data, sizeof(in));
    uint8_t gateBits = data[sizeof(in)];

    WrapTarget t = FindWrapTarget(in); // any input at all: UBSan sees overflow
    if (t.inCorner) FUZZ_CHECK(t.moved);

    // The top-right corner alone (whatever the unused high bits) is the classic decision.
    WrapInput classic = in;
    classic.rules.ignorableCorners = (in.rules.ignorableCorners & ~15u) | kCornerTopRight;
    FUZZ_CHECK(SameTarget(FindWrapTarget(classic), ClassicWrapTarget(classic)));

    // One monitor at the origin and the cursor on it: both decisions agree exactly.
    if (in.screenWidth > 0 && in.screenHeight > 0 && in.x >= 0 && in.y >= 0 &&
        in.x < in.screenWidth && in.y < in.screenHeight) {
        MonitorLayout one;
        one.count = 1;
        one.monitors[0] = {0, 0, in.screenWidth, in.screenHeight};
        FUZZ_CHECK(SameTarget(FindDesktopWrapTarget(OnLayout(in, &one)), t));
    }
    if (size > sizeof(in) + 1) CheckLayout(in, data + sizeof(in) + 1, size - sizeof(in) - 1);

    // Only the low byte of the border flags counts.
    WrapInput high = in;
    high.rules.disabledBorders ^= 0xFFFFFF00u & (in.rules.cornerWidth * 2654435761u);
    FUZZ_CHECK(SameTarget(FindWrapTarget(high), t));

    const int32_t W = in.screenWidth, H = in.screenHeight;
    if (W >= 3 && H >= 3 && W <= 65536 && H <= 65536) {
        const uint32_t off = in.rules.disabledBorders;
        bool left = in.x <= 0 && !(off & 1u), right = !left && in.x >= W - 1 && !(off & 4u);
        bool top = in.y <= 0 && !(off & 2u), bottom = !top && in.y >= H - 1 && !(off & 8u);
        FUZZ_CHECK(t.moved == (left || right || top || bottom));
        FUZZ_CHECK(t.borders == (left ? 1u : right ? 4u : 0u) + (top ? 2u : bottom ? 8u : 0u));
        // A wrapped axis lands one pixel inside the opposite border; the other axis stays.
        FUZZ_CHECK(t.x == (left ? W - 2 : right ? 1 : in.x));
        FUZZ_CHECK(t.y == (top ? H - 2 : bottom ? 1 : in.y));
        if (left || right) FUZZ_CHECK(t.x >= 1 && t.x <= W - 2);
        if (top || bottom) FUZZ_CHECK(t.y >= 1 && t.y <= H - 2);
        // On the screen, a corner size of 0 switches every corner off. Off it, the unsigned
        // bands still reach: a row below the screen lies beyond "maxY - CH" even for CH = 0.
        bool onScreen = in.x >= 0 && in.x < W && in.y >= 0 && in.y < H;
        if (onScreen && (in.rules.cornerWidth == 0 || in.rules.cornerHeight == 0))
            FUZZ_CHECK(!t.inCorner);
        if ((in.rules.ignorableCorners & 15u) == 0) FUZZ_CHECK(!t.inCorner);
        // The landing point is never itself a wrap: no ping-pong between two borders.
        if (t.moved) {
            WrapInput again = in;
            again.x = t.x;
            again.y = t.y;
            FUZZ_CHECK(!FindWrapTarget(again).moved);
        }
    }

    WrapGate gate;
    gate.inCorner = gateBits & 1;
    gate.buttonHoldBlocks = gateBits & 2;
    gate.blockingKeyDown = gateBits & 4;
    gate.useKeyToPass = gateBits & 8;
    bool open = WrapGateOpen(gate);
    if (gate.inCorner || gate.buttonHoldBlocks) {
        // Held back: only the pass-key, and only with UseKeyToPass on, lets it through.
        FUZZ_CHECK(open == (gate.useKeyToPass && gate.blockingKeyDown));
    } else {
        FUZZ_CHECK(open == !gate.blockingKeyDown);
    }
    return 0;
}
