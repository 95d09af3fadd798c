// The rules over the desk and the program in front, over every input: no UB for any taskbar,
// monitor or work-area rectangle or any program list. Input: the cursor, three rectangles, a
// landing point and a flag byte, then text: a program list, NUL, a program's path.
#include "../../wrap/wrap.h"
#include "fuzz_check.h"

#include <stdint.h>
#include <string.h>

static bool On(const ScreenRect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    struct {
        int32_t x, y;
        ScreenRect bar, monitor, work;
        int32_t nx, ny;
        uint8_t flags;
    } in;
    if (size < sizeof(in)) return 0;
    memcpy(&in, data, sizeof(in));
    const TaskbarEdge e = FindTaskbarEdge(in.bar, in.monitor, in.work);
    // Only one edge, and only for a taskbar that overlaps the monitor.
    FUZZ_CHECK(e.edge == 0 || e.edge == 1 || e.edge == 2 || e.edge == 4 || e.edge == 8);
    if (e.edge) FUZZ_CHECK(e.span.left < e.span.right && e.span.top < e.span.bottom);
    const MonitorLayout layout = {
        1, {{in.monitor.left, in.monitor.top, in.monitor.right, in.monitor.bottom}}};
    const WrapTarget target = {(in.flags & 1) != 0, (in.flags & 2) != 0, in.nx, in.ny};
    const WrapTarget t =
        KeepTaskbarsReachable({in.x, in.y, &e, 1, (in.flags & 4) ? &layout : NULL}, target);
    // A taskbar only ever holds a wrap back or moves where it lands, within the monitor.
    FUZZ_CHECK(t.moved == target.moved && (t.inCorner || !target.inCorner));
    if (!target.moved)
        FUZZ_CHECK(t.x == target.x && t.y == target.y && t.inCorner == target.inCorner);
    if (On(in.monitor, target.x, target.y)) FUZZ_CHECK(On(in.monitor, t.x, t.y));

    // A list naming a program's own file name names it, whatever came before.
    const char* text = (const char*)data + sizeof(in);
    const size_t length = size - sizeof(in);
    const char* end = (const char*)memchr(text, '\0', length);
    if (!end || !memchr(end + 1, '\0', length - (size_t)(end + 1 - text))) return 0;
    const char* path = end + 1;
    ProgramListNames(text, path);
    const char* name = FileNamePart(path);
    char list[600];
    if (strlen(text) + strlen(name) + 2 < sizeof(list) && *name && !strchr(name, ';') &&
        name[0] != ' ' && name[0] != '\t' && name[strlen(name) - 1] != ' ' &&
        name[strlen(name) - 1] != '\t') {
        strcpy(list, text);
        strcat(list, ";");
        strcat(list, name);
        FUZZ_CHECK(ProgramListNames(list, path));
    }
    return 0;
}
