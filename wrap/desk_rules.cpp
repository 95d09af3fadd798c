// The rules that hold a wrap back on the desk or the program in front: the resting delay, the
// push distance, the full-screen pause and games, excluded programs, a single monitor, and
// auto-hidden taskbars. Each one decides over facts the tick has gathered; none asks the
// platform.
#include "wrap.h"

#include "../settings/settings.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

uint32_t RestingTicksNeeded(uint32_t delayMs, uint32_t interval) {
    return 1u + TicksFor(delayMs < kMaxWrapDelay ? delayMs : kMaxWrapDelay, interval);
}

uint32_t NextRestingCount(uint32_t count, bool onBorder, uint32_t needed) {
    if (!onBorder) return 0;
    return count < needed ? count + 1u : needed;
}

// ---- the program in front -------------------------------------------------------------------

bool IsShellOrOurs(const ForegroundWindow& w) {
    static const char* const kShellClasses[] = {"Progman", "WorkerW", kTaskbarClasses[0],
                                                kTaskbarClasses[1]};
    if (w.desktop || w.ours) return true;
    for (const char* shell : kShellClasses)
        if (w.className && !strcmp(w.className, shell)) return true;
    return false;
}

bool IsFullScreenProgram(const ForegroundWindow& w) {
    if (!(w.style & kStyleVisible) || (w.style & kStyleMinimised)) return false;
    if (w.notRude || IsShellOrOurs(w)) return false;
    return w.left <= w.monLeft && w.top <= w.monTop && w.right >= w.monRight &&
           w.bottom >= w.monBottom;
}

const char* FileNamePart(const char* path, const LeadBytes& code) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (code.lead[(uint8_t)*p] && p[1])
            ++p; // the trail byte may be 0x5C, a backslash in ASCII
        else if (*p == '\\' || *p == '/')
            name = p + 1;
    }
    return name;
}

static char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

// The first n bytes of a and b, ignoring the case of ASCII letters only: file names in other
// code pages are compared as they are, and so is a double-byte character's trail byte.
static bool SameText(const char* a, const char* b, size_t n, const LeadBytes& code) {
    for (size_t i = 0; i < n; ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
        if (code.lead[(uint8_t)a[i]] && i + 1 < n) {
            ++i;
            if (a[i] != b[i]) return false;
        }
    }
    return true;
}

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// One entry of the list, [begin, end), against a file name. No trail byte of a double-byte
// code page is a ';', a blank or a '.', so those are found byte by byte.
static bool EntryNames(const char* begin, const char* end, const char* name, size_t nameLength,
                       const LeadBytes& code) {
    for (const char* p = begin; p < end; ++p) {
        if (code.lead[(uint8_t)*p] && p + 1 < end)
            ++p;
        else if (*p == '\\' || *p == '/')
            begin = p + 1;
    }
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    const size_t length = (size_t)(end - begin);
    if (length == 0 || length > nameLength || !SameText(begin, name, length, code)) return false;
    if (length == nameLength) return true;
    return !memchr(begin, '.', length) && nameLength - length == 4 &&
           SameText(name + length, ".exe", 4, code);
}

bool ProgramListNames(const char* list, const char* imagePath, const LeadBytes& code) {
    if (!list || !imagePath) return false;
    const char* name = FileNamePart(imagePath, code);
    const size_t nameLength = strlen(name);
    for (const char* entry = list;;) {
        const char* end = entry + strcspn(entry, ";");
        if (EntryNames(entry, end, name, nameLength, code)) return true;
        if (!*end) return false;
        entry = end + 1;
    }
}

bool ProgramListHasNames(const char* list) {
    for (const char* p = list; p && *p; ++p)
        if (*p != ';' && !IsBlank(*p)) return true;
    return false;
}

bool IsStoreAppFrame(const char* imagePath, const LeadBytes& code) {
    static const char kFrameHost[] = "ApplicationFrameHost.exe";
    const char* name = FileNamePart(imagePath, code);
    return strlen(name) == sizeof(kFrameHost) - 1 &&
           SameText(name, kFrameHost, sizeof(kFrameHost), code);
}

// ---- games: a confined or hidden cursor ----------------------------------------------------

bool RectHolds(const ScreenRect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool ConfinedWithin(const ScreenRect& clip, const ScreenRect& area) {
    return clip.left > area.left || clip.top > area.top || clip.right < area.right ||
           clip.bottom < area.bottom;
}

bool CursorHidden(uint32_t flags, bool noCursorShape) {
    if (flags & kCursorSuppressed) return false;
    return !(flags & kCursorShowing) || noCursorShape;
}

// ---- resistance by push distance -----------------------------------------------------------

uint32_t AddPush(uint32_t count, uint32_t borders, const MousePacket& packet) {
    if (packet.absolute) return packet.buttonFlags ? count : kPushMet;
    // In 64 bits: the leftward part of INT32_MIN does not fit an int32_t.
    const int64_t dx = packet.dx, dy = packet.dy;
    uint64_t push = 0;
    if ((borders & kBorderLeft) && dx < 0) push += (uint64_t)-dx;
    if ((borders & kBorderRight) && dx > 0) push += (uint64_t)dx;
    if ((borders & kBorderTop) && dy < 0) push += (uint64_t)-dy;
    if ((borders & kBorderBottom) && dy > 0) push += (uint64_t)dy;
    const uint64_t sum = (uint64_t)count + push;
    return sum > kPushMet ? kPushMet : (uint32_t)sum;
}

bool PushMet(uint32_t count, uint32_t distance) {
    return count >= (distance < kMaxWrapDistance ? distance : kMaxWrapDistance);
}

// ---- the desk -------------------------------------------------------------------------------

bool TooFewMonitors(int32_t monitorCount) {
    return monitorCount < 2;
}

static ScreenRect Intersection(const ScreenRect& a, const ScreenRect& b) {
    ScreenRect r = {a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                    a.right < b.right ? a.right : b.right,
                    a.bottom < b.bottom ? a.bottom : b.bottom};
    return r;
}

TaskbarEdge FindTaskbarEdge(const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea) {
    const ScreenRect& w = window;
    const ScreenRect& m = monitor;
    TaskbarEdge found = {0, Intersection(w, m), m};
    const ScreenRect& span = found.span;
    if (span.right <= span.left || span.bottom <= span.top) return found; // not this monitor's
    // Halves compared doubled, in 64 bits: no rectangle can overflow.
    const int64_t spanWidth = (int64_t)span.right - span.left;
    const int64_t spanHeight = (int64_t)span.bottom - span.top;
    const int64_t middleX = (int64_t)m.left + m.right, middleY = (int64_t)m.top + m.bottom;
    const bool wide = 2 * spanWidth >= (int64_t)m.right - m.left;
    const bool tall = 2 * spanHeight >= (int64_t)m.bottom - m.top;
    const struct {
        uint32_t edge;
        bool lies, hides;
    } edges[4] = {
        {kBorderBottom, wide && w.bottom >= m.bottom && 2 * (int64_t)w.top >= middleY,
         workArea.bottom >= m.bottom},
        {kBorderTop, wide && w.top <= m.top && 2 * (int64_t)w.bottom <= middleY,
         workArea.top <= m.top},
        {kBorderLeft, tall && w.left <= m.left && 2 * (int64_t)w.right <= middleX,
         workArea.left <= m.left},
        {kBorderRight, tall && w.right >= m.right && 2 * (int64_t)w.left >= middleX,
         workArea.right >= m.right},
    };
    for (const auto& e : edges) {
        if (!e.lies) continue;
        if (e.hides) found.edge = e.edge;
        break;
    }
    return found;
}

// A monitor of the layout at a point one pixel beyond a monitor's edge, which may lie outside
// the 32-bit range: nothing is there.
static bool MonitorBeyond(const MonitorLayout& layout, int64_t x, int64_t y) {
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return false;
    return LayoutHolds(layout, (int32_t)x, (int32_t)y);
}

// Whether edge e counts at coordinate x or y along it: always on the primary screen; across all
// monitors only where no monitor lies beyond it.
static bool EdgeCounts(const TaskbarEdge& e, int32_t x, int32_t y, const MonitorLayout* layout) {
    if (!layout) return true;
    const ScreenRect& m = e.monitor;
    switch (e.edge) {
    case kBorderLeft: return !MonitorBeyond(*layout, (int64_t)m.left - 1, y);
    case kBorderTop: return !MonitorBeyond(*layout, x, (int64_t)m.top - 1);
    case kBorderRight: return !MonitorBeyond(*layout, m.right, y);
    default: return !MonitorBeyond(*layout, x, m.bottom);
    }
}

// A cursor on the edge's own line, within the taskbar's length along it.
static bool OnTaskbarEdge(const TaskbarEdge& e, int32_t x, int32_t y) {
    const ScreenRect& m = e.monitor;
    const ScreenRect& s = e.span;
    const bool alongX = x >= s.left && x < s.right, alongY = y >= s.top && y < s.bottom;
    switch (e.edge) {
    case kBorderLeft: return x == m.left && alongY;
    case kBorderTop: return y == m.top && alongX;
    case kBorderRight: return x == m.right - 1 && alongY;
    default: return y == m.bottom - 1 && alongX;
    }
}

// A landing point on the strip moves to the first row or column inward of it, where that is
// still on the monitor.
static void LandOffStrip(const TaskbarEdge& e, int32_t& x, int32_t& y) {
    const ScreenRect& m = e.monitor;
    const ScreenRect& s = e.span;
    if (x < s.left || x >= s.right || y < s.top || y >= s.bottom) return;
    switch (e.edge) {
    case kBorderLeft:
        if (s.right < m.right) x = s.right;
        break;
    case kBorderTop:
        if (s.bottom < m.bottom) y = s.bottom;
        break;
    case kBorderRight:
        if (s.left > m.left) x = s.left - 1;
        break;
    default:
        if (s.top > m.top) y = s.top - 1;
    }
}

WrapTarget KeepTaskbarsReachable(const TaskbarInput& in, WrapTarget target) {
    if (!target.moved) return target;
    for (uint32_t i = 0; i < in.count; ++i) {
        const TaskbarEdge& e = in.edges[i];
        if (!e.edge) continue;
        if (OnTaskbarEdge(e, in.x, in.y) && EdgeCounts(e, in.x, in.y, in.layout))
            target.inCorner = true;
        if (EdgeCounts(e, target.x, target.y, in.layout)) LandOffStrip(e, target.x, target.y);
    }
    return target;
}

bool SetCursorAgain(int32_t x, int32_t y, bool readBack, int32_t readX, int32_t readY) {
    return readBack && (readX != x || readY != y);
}
