// The wrap decisions: on the primary screen, and across all monitors. Both share the rules of
// the ignorable corners, taken in the coordinates of the screen or monitor concerned.
#include "wrap.h"

#include <stddef.h>

// A touch of the left or right border at row ry (from the screen's top) lies in an enabled
// corner of that side. Unsigned on purpose: a negative row counts as very large, and a corner
// taller than the screen makes "ry > maxY - ch" wrap round to a bound no row exceeds.
static bool SideInCorner(bool rightSide, uint32_t ry, uint32_t maxY, uint32_t corners, uint32_t cw,
                         uint32_t ch) {
    if (cw == 0) return false;
    const uint32_t top = rightSide ? kCornerTopRight : kCornerTopLeft;
    const uint32_t bottom = rightSide ? kCornerBottomRight : kCornerBottomLeft;
    return ((corners & top) && ry < ch) || ((corners & bottom) && ry > maxY - ch);
}

// A touch of the top or bottom border at column rx (from the screen's left), likewise.
static bool EndInCorner(bool bottomEnd, uint32_t rx, uint32_t maxX, uint32_t corners, uint32_t cw,
                        uint32_t ch) {
    if (ch == 0) return false;
    const uint32_t left = bottomEnd ? kCornerBottomLeft : kCornerTopLeft;
    const uint32_t right = bottomEnd ? kCornerBottomRight : kCornerTopRight;
    return ((corners & left) && rx < cw) || ((corners & right) && rx > maxX - cw);
}

WrapTarget FindWrapTarget(const WrapInput& in) {
    // Screen sizes come from the system and are positive, but the arithmetic is done unsigned
    // so that no input can overflow a signed int.
    const uint32_t maxX = (uint32_t)in.screenWidth - 1u;
    const uint32_t maxY = (uint32_t)in.screenHeight - 1u;
    const uint32_t disabled = in.rules.disabledBorders & 0xFFu;
    const uint32_t cw = in.rules.cornerWidth, ch = in.rules.cornerHeight;
    const uint32_t corners = in.rules.ignorableCorners;

    WrapTarget t = {false, false, in.x, in.y, 0};

    // Horizontal first: the top and bottom corner tests below look at the x already wrapped.
    if (in.x <= 0 && !(disabled & 1u)) {
        t.inCorner = SideInCorner(false, (uint32_t)in.y, maxY, corners, cw, ch);
        t.x = (int32_t)(maxX - 1u);
        t.borders = 1u;
    } else if (in.x >= (int32_t)maxX && !(disabled & 4u)) {
        t.inCorner = SideInCorner(true, (uint32_t)in.y, maxY, corners, cw, ch);
        t.x = 1;
        t.borders = 4u;
    }

    // An x left of the primary screen counts as very large in the corner tests.
    if (in.y <= 0 && !(disabled & 2u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(false, (uint32_t)t.x, maxX, corners, cw, ch);
        t.y = (int32_t)(maxY - 1u);
        t.borders |= 2u;
    } else if (in.y >= (int32_t)maxY && !(disabled & 8u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(true, (uint32_t)t.x, maxX, corners, cw, ch);
        t.y = 1;
        t.borders |= 8u;
    }
    t.moved = t.borders != 0;
    return t;
}

bool WrapGateOpen(const WrapGate& gate) {
    // The blocking key normally stops a wrap; where a corner or a held button stop it, the
    // same key lets the cursor through, but only with UseKeyToPass on.
    if (gate.buttonHoldBlocks || gate.inCorner) return gate.useKeyToPass && gate.blockingKeyDown;
    return !gate.blockingKeyDown;
}

uint32_t TicksFor(uint32_t ms, uint32_t interval) {
    const uint32_t period = interval < 10u ? 10u : interval;
    return ms / period + (ms % period != 0);
}

// ---- across all monitors --------------------------------------------------------------------

static uint32_t MonitorCount(const MonitorLayout& layout) {
    return layout.count < kMaxMonitors ? layout.count : kMaxMonitors;
}

static bool Empty(const MonitorRect& m) {
    return m.right <= m.left || m.bottom <= m.top;
}

// 64-bit points: the neighbour one pixel beyond a monitor at the end of the 32-bit range must
// not overflow. An empty rectangle holds no point.
static bool Holds(const MonitorRect& m, int64_t x, int64_t y) {
    return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
}

static const MonitorRect* MonitorAt(const MonitorLayout& layout, int64_t x, int64_t y) {
    for (uint32_t i = 0; i < MonitorCount(layout); ++i)
        if (Holds(layout.monitors[i], x, y)) return &layout.monitors[i];
    return NULL;
}

bool AddMonitorRect(MonitorLayout& layout, const MonitorRect& monitor) {
    if (layout.count >= kMaxMonitors || Empty(monitor)) return false;
    layout.monitors[layout.count++] = monitor;
    return true;
}

bool LayoutHolds(const MonitorLayout& layout, int32_t x, int32_t y) {
    return MonitorAt(layout, x, y) != NULL;
}

ScreenRect LayoutBounds(const MonitorLayout& layout) {
    ScreenRect bounds = {0, 0, 0, 0};
    for (uint32_t i = 0; i < MonitorCount(layout); ++i) {
        const MonitorRect& m = layout.monitors[i];
        if (i == 0 || m.left < bounds.left) bounds.left = m.left;
        if (i == 0 || m.top < bounds.top) bounds.top = m.top;
        if (i == 0 || m.right > bounds.right) bounds.right = m.right;
        if (i == 0 || m.bottom > bounds.bottom) bounds.bottom = m.bottom;
    }
    return bounds;
}

static bool OneRectangle(const MonitorLayout& layout) {
    uint32_t used = 0;
    for (uint32_t i = 0; i < MonitorCount(layout); ++i)
        used += !Empty(layout.monitors[i]);
    return used <= 1;
}

// The outer left and right edges of the row y, that is among the monitors whose vertical range
// holds y; start is one of them.
static MonitorRect RowExtent(const MonitorLayout& layout, const MonitorRect& start, int32_t y) {
    MonitorRect row = start;
    for (uint32_t i = 0; i < MonitorCount(layout); ++i) {
        const MonitorRect& m = layout.monitors[i];
        if (Empty(m) || y < m.top || y >= m.bottom) continue;
        if (m.left < row.left) row.left = m.left;
        if (m.right > row.right) row.right = m.right;
    }
    return row;
}

// Likewise the outer top and bottom edges of the column x.
static MonitorRect ColumnExtent(const MonitorLayout& layout, const MonitorRect& start, int32_t x) {
    MonitorRect column = start;
    for (uint32_t i = 0; i < MonitorCount(layout); ++i) {
        const MonitorRect& m = layout.monitors[i];
        if (Empty(m) || x < m.left || x >= m.right) continue;
        if (m.top < column.top) column.top = m.top;
        if (m.bottom > column.bottom) column.bottom = m.bottom;
    }
    return column;
}

// Edge arithmetic is unsigned, as on the primary screen, so no rectangle can overflow.
static int32_t Offset(int32_t value, uint32_t delta) {
    return (int32_t)((uint32_t)value + delta);
}

// Which outer edges of its monitor m a point (on m) lies on.
struct OuterEdges {
    bool left, top, right, bottom;
};

static OuterEdges OuterEdgesAt(const MonitorLayout& layout, const MonitorRect& m, int32_t x,
                               int32_t y) {
    OuterEdges e;
    e.left = x == m.left && !MonitorAt(layout, (int64_t)x - 1, y);
    e.top = y == m.top && !MonitorAt(layout, x, (int64_t)y - 1);
    e.right = x == Offset(m.right, ~0u) && !MonitorAt(layout, (int64_t)x + 1, y);
    e.bottom = y == Offset(m.bottom, ~0u) && !MonitorAt(layout, x, (int64_t)y + 1);
    return e;
}

uint32_t ScaleToMonitor(uint32_t size, uint32_t dpi) {
    if (dpi == 0) return size;
    const uint64_t scaled = ((uint64_t)size * dpi + 48u) / 96u;
    return scaled > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)scaled;
}

uint32_t MonitorDpi(int32_t physicalWidth, int32_t unawareWidth) {
    if (physicalWidth <= 0 || unawareWidth <= 0) return 0;
    const uint64_t dpi =
        ((uint64_t)physicalWidth * 96u + (uint32_t)unawareWidth / 2u) / (uint32_t)unawareWidth;
    return dpi > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)dpi;
}

WrapTarget FindDesktopWrapTarget(const DesktopWrapInput& in) {
    const MonitorLayout& layout = *in.layout;
    const uint32_t disabled = in.rules.disabledBorders & 0xFFu;
    const uint32_t corners = in.rules.ignorableCorners;
    WrapTarget t = {false, false, in.x, in.y, 0};

    const MonitorRect* here = MonitorAt(layout, in.x, in.y);
    if (!here) return t; // neither Windows nor X lets the pointer into a hole of the layout
    const OuterEdges at = OuterEdgesAt(layout, *here, in.x, in.y);
    if (!at.left && !at.top && !at.right && !at.bottom) return t; // nearly every tick

    // Horizontal first, as on the primary screen. The corners of a side are those of the
    // monitor the cursor is on, in that monitor's coordinates and at its scale.
    const uint32_t ry = (uint32_t)in.y - (uint32_t)here->top;
    const uint32_t maxY = (uint32_t)here->bottom - (uint32_t)here->top - 1u;
    const uint32_t sideCw = ScaleToMonitor(in.rules.cornerWidth, here->dpi);
    const uint32_t sideCh = ScaleToMonitor(in.rules.cornerHeight, here->dpi);
    if (at.left && !(disabled & 1u)) {
        t.inCorner = SideInCorner(false, ry, maxY, corners, sideCw, sideCh);
        t.x = Offset(RowExtent(layout, *here, in.y).right, ~1u); // right - 2
        t.borders = 1u;
    } else if (at.right && !(disabled & 4u)) {
        t.inCorner = SideInCorner(true, ry, maxY, corners, sideCw, sideCh);
        t.x = Offset(RowExtent(layout, *here, in.y).left, 1u);
        t.borders = 4u;
    }

    // The vertical step runs where the cursor itself is on a top or bottom outer edge. It lands
    // in the column of the x already wrapped, and its corners are those of the monitor the
    // sideways step reached, the one holding (nx, y). Only a monitor narrower than two pixels
    // can leave that point on no monitor: the cursor's own monitor then stands in, which keeps
    // a single screen deciding exactly as the primary one.
    const MonitorRect* reached = MonitorAt(layout, t.x, in.y);
    if (!reached) reached = here;
    const uint32_t rx = (uint32_t)t.x - (uint32_t)reached->left;
    const uint32_t maxX = (uint32_t)reached->right - (uint32_t)reached->left - 1u;
    const uint32_t endCw = ScaleToMonitor(in.rules.cornerWidth, reached->dpi);
    const uint32_t endCh = ScaleToMonitor(in.rules.cornerHeight, reached->dpi);
    if (at.top && !(disabled & 2u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(false, rx, maxX, corners, endCw, endCh);
        t.y = Offset(ColumnExtent(layout, *reached, t.x).bottom, ~1u);
        t.borders |= 2u;
    } else if (at.bottom && !(disabled & 8u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(true, rx, maxX, corners, endCw, endCh);
        t.y = Offset(ColumnExtent(layout, *reached, t.x).top, 1u);
        t.borders |= 8u;
    }
    const bool vertical = (t.borders & (2u | 8u)) != 0;
    t.moved = t.borders != 0;
    if (!t.moved || OneRectangle(layout)) return t;

    // Off-centre monitors: the coordinate a step kept can lie on an outer edge of the monitor
    // landed on, where the next tick would move the cursor again or a corner would hold it.
    // One pixel inward, wherever wrapping at that edge is enabled.
    const MonitorRect* landing = MonitorAt(layout, t.x, t.y);
    if (!landing) return t;
    const OuterEdges there = OuterEdgesAt(layout, *landing, t.x, t.y);
    if (vertical) {
        if (there.left && !(disabled & 1u))
            t.x = Offset(t.x, 1u);
        else if (there.right && !(disabled & 4u))
            t.x = Offset(t.x, ~0u);
    } else { // the sideways step alone
        if (there.top && !(disabled & 2u))
            t.y = Offset(t.y, 1u);
        else if (there.bottom && !(disabled & 8u))
            t.y = Offset(t.y, ~0u);
    }
    return t;
}
