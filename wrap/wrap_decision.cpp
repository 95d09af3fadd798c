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
    const uint32_t disabled = in.disabledBorders & 0xFFu;
    const uint32_t cw = in.cornerWidth, ch = in.cornerHeight, corners = in.ignorableCorners;

    WrapTarget t = {false, false, in.x, in.y};

    // Horizontal first: the top and bottom corner tests below look at the x already wrapped.
    if (in.x <= 0 && !(disabled & 1u)) {
        t.inCorner = SideInCorner(false, (uint32_t)in.y, maxY, corners, cw, ch);
        t.x = (int32_t)(maxX - 1u);
        t.moved = true;
    } else if (in.x >= (int32_t)maxX && !(disabled & 4u)) {
        t.inCorner = SideInCorner(true, (uint32_t)in.y, maxY, corners, cw, ch);
        t.x = 1;
        t.moved = true;
    }

    // An x left of the primary screen counts as very large in the corner tests.
    if (in.y <= 0 && !(disabled & 2u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(false, (uint32_t)t.x, maxX, corners, cw, ch);
        t.y = (int32_t)(maxY - 1u);
        t.moved = true;
    } else if (in.y >= (int32_t)maxY && !(disabled & 8u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(true, (uint32_t)t.x, maxX, corners, cw, ch);
        t.y = 1;
        t.moved = true;
    }
    return t;
}

bool WrapGateOpen(const WrapGate& gate) {
    // The blocking key normally stops a wrap; where a corner or a held button stop it, the
    // same key lets the cursor through, but only with UseKeyToPass on.
    if (gate.buttonHoldBlocks || gate.inCorner) return gate.useKeyToPass && gate.blockingKeyDown;
    return !gate.blockingKeyDown;
}

// ---- across all monitors --------------------------------------------------------------------

static uint32_t MonitorCount(const MonitorLayout& layout) {
    return layout.count < kMaxMonitors ? layout.count : kMaxMonitors;
}

// 64-bit points: the neighbour one pixel beyond a monitor at the end of the 32-bit range must
// not overflow.
static bool Holds(const MonitorRect& m, int64_t x, int64_t y) {
    return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
}

static const MonitorRect* MonitorAt(const MonitorLayout& layout, int64_t x, int64_t y) {
    for (uint32_t i = 0; i < MonitorCount(layout); ++i)
        if (Holds(layout.monitors[i], x, y)) return &layout.monitors[i];
    return NULL;
}

// The outer left and right edges of the row y, that is among the monitors whose vertical range
// holds y; start is one of them.
static MonitorRect RowExtent(const MonitorLayout& layout, const MonitorRect& start, int32_t y) {
    MonitorRect row = start;
    for (uint32_t i = 0; i < MonitorCount(layout); ++i) {
        const MonitorRect& m = layout.monitors[i];
        if (y < m.top || y >= m.bottom) continue;
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
        if (x < m.left || x >= m.right) continue;
        if (m.top < column.top) column.top = m.top;
        if (m.bottom > column.bottom) column.bottom = m.bottom;
    }
    return column;
}

// Edge arithmetic is unsigned, as on the primary screen, so no rectangle can overflow.
static int32_t Offset(int32_t value, uint32_t delta) {
    return (int32_t)((uint32_t)value + delta);
}

WrapTarget FindDesktopWrapTarget(const DesktopWrapInput& in) {
    const MonitorLayout& layout = *in.layout;
    const uint32_t disabled = in.disabledBorders & 0xFFu;
    const uint32_t cw = in.cornerWidth, ch = in.cornerHeight, corners = in.ignorableCorners;
    WrapTarget t = {false, false, in.x, in.y};

    const MonitorRect* here = MonitorAt(layout, in.x, in.y);
    if (!here) return t; // neither Windows nor X lets the pointer into a hole of the layout

    // Horizontal first, as on the primary screen. The corners of a side are those of the
    // monitor the cursor is on, in that monitor's coordinates.
    const bool atLeft = in.x == here->left && !MonitorAt(layout, (int64_t)in.x - 1, in.y);
    const bool atRight =
        in.x == Offset(here->right, ~0u) && !MonitorAt(layout, (int64_t)in.x + 1, in.y);
    const uint32_t ry = (uint32_t)in.y - (uint32_t)here->top;
    const uint32_t maxY = (uint32_t)here->bottom - (uint32_t)here->top - 1u;
    if (atLeft && !(disabled & 1u)) {
        t.inCorner = SideInCorner(false, ry, maxY, corners, cw, ch);
        t.x = Offset(RowExtent(layout, *here, in.y).right, ~1u); // right - 2
        t.moved = true;
    } else if (atRight && !(disabled & 4u)) {
        t.inCorner = SideInCorner(true, ry, maxY, corners, cw, ch);
        t.x = Offset(RowExtent(layout, *here, in.y).left, 1u);
        t.moved = true;
    }

    // The top and bottom tests look at the monitor holding (nx, y). Only a monitor narrower
    // than two pixels can leave that point on no monitor: the cursor's own monitor then stands
    // in, which keeps a single screen deciding exactly as the primary one.
    const MonitorRect* column = MonitorAt(layout, t.x, in.y);
    if (!column) column = here;
    const bool atTop = in.y == column->top && !MonitorAt(layout, t.x, (int64_t)in.y - 1);
    const bool atBottom =
        in.y == Offset(column->bottom, ~0u) && !MonitorAt(layout, t.x, (int64_t)in.y + 1);
    const uint32_t rx = (uint32_t)t.x - (uint32_t)column->left;
    const uint32_t maxX = (uint32_t)column->right - (uint32_t)column->left - 1u;
    if (atTop && !(disabled & 2u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(false, rx, maxX, corners, cw, ch);
        t.y = Offset(ColumnExtent(layout, *column, t.x).bottom, ~1u);
        t.moved = true;
    } else if (atBottom && !(disabled & 8u)) {
        if (!t.inCorner) t.inCorner = EndInCorner(true, rx, maxX, corners, cw, ch);
        t.y = Offset(ColumnExtent(layout, *column, t.x).top, 1u);
        t.moved = true;
    }
    return t;
}
