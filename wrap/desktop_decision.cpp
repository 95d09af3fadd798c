// The wrap decision across all monitors: the borders are the outer edges of the desktop, and
// an edge one monitor shares with another is crossed as Windows lets it.
#include "wrap.h"

#include <stddef.h>

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

// Arithmetic on edges is done unsigned, as in the primary-screen decision, so that no
// rectangle can overflow a signed int.
static int32_t Offset(int32_t value, uint32_t delta) {
    return (int32_t)((uint32_t)value + delta);
}

WrapTarget FindDesktopWrapTarget(const DesktopWrapInput& in) {
    const MonitorLayout& layout = *in.layout;
    const uint32_t disabled = in.disabledBorders & 0xFFu;
    WrapTarget t = {false, false, in.x, in.y};

    const MonitorRect* here = MonitorAt(layout, in.x, in.y);
    if (!here) return t; // neither Windows nor X lets the pointer into a hole of the layout

    // Horizontal first, as on the primary screen: the top-border tests below look at the
    // monitor that holds the x already wrapped.
    const bool atLeft = in.x == here->left && !MonitorAt(layout, (int64_t)in.x - 1, in.y);
    const bool atRight =
        in.x == Offset(here->right, ~0u) && !MonitorAt(layout, (int64_t)in.x + 1, in.y);
    if (atLeft && !(disabled & 1u)) {
        t.x = Offset(RowExtent(layout, *here, in.y).right, ~1u); // right - 2
        t.moved = true;
    } else if (atRight && !(disabled & 4u)) {
        // The corner is the one of the monitor the cursor is on, in that monitor's coordinates.
        t.inCorner = in.cornerWidth != 0 && (uint32_t)in.y - (uint32_t)here->top < in.cornerHeight;
        t.x = Offset(RowExtent(layout, *here, in.y).left, 1u);
        t.moved = true;
    }

    // Only a monitor narrower than two pixels can leave (nx, y) on no monitor: the cursor's own
    // monitor then stands in, which keeps a single screen deciding exactly as the primary one.
    const MonitorRect* column = MonitorAt(layout, t.x, in.y);
    if (!column) column = here;
    const bool atTop = in.y == column->top && !MonitorAt(layout, t.x, (int64_t)in.y - 1);
    const bool atBottom =
        in.y == Offset(column->bottom, ~0u) && !MonitorAt(layout, t.x, (int64_t)in.y + 1);
    if (atTop && !(disabled & 2u)) {
        if (!t.inCorner) {
            // Unsigned on purpose, as on the primary screen: a corner wider than the monitor
            // never counts here.
            const uint32_t maxX = (uint32_t)column->right - (uint32_t)column->left - 1u;
            t.inCorner = in.cornerHeight != 0 &&
                         (uint32_t)t.x - (uint32_t)column->left > maxX - in.cornerWidth;
        }
        t.y = Offset(ColumnExtent(layout, *column, t.x).bottom, ~1u);
        t.moved = true;
    } else if (atBottom && !(disabled & 8u)) {
        t.y = Offset(ColumnExtent(layout, *column, t.x).top, 1u);
        t.moved = true;
    }
    return t;
}
