// Host driver for callgrind: N wrap decisions (FindWrapTarget or FindDesktopWrapTarget, then
// WrapGateOpen when it would move), over a fixed mix of cursor positions. Run under
//   valgrind --tool=callgrind --toggle-collect='FindWrapTarget*' --toggle-collect='WrapGateOpen*'
// the collected instruction count divided by N is the cost of one decision.
//   decision_bench N inside|border|mix [across]
// With "across" the decision is the desktop-wide one, on the primary and an 800x600 monitor
// right of it: the same points, all on the primary, where (1919, 540) is a shared edge.
#include "../../wrap/wrap.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    long n = argc > 1 ? atol(argv[1]) : 1000000;
    const char* mix = argc > 2 ? argv[2] : "mix";
    // Positions on a 1920x1080 screen: inside, each border, the ignorable corner.
    static const int kInside[][2] = {{960, 540}, {10, 10}, {1900, 1070}, {500, 900}};
    static const int kBorder[][2] = {{0, 540}, {1919, 540}, {960, 0}, {960, 1079}};
    WrapInput in = {0, 0, 1920, 1080, {0, 63, 63, kCornerTopRight}};
    const MonitorLayout layout = {2, {{0, 0, 1920, 1080}, {1920, 0, 2720, 600}}};
    DesktopWrapInput across = {0, 0, &layout, {0, 63, 63, kCornerTopRight}};
    const bool desktop = argc > 3 && !strcmp(argv[3], "across");
    unsigned moved = 0;
    for (long i = 0; i < n; ++i) {
        const int* p = !strcmp(mix, "inside")   ? kInside[i & 3]
                       : !strcmp(mix, "border") ? kBorder[i & 3]
                       : (i & 7)                ? kInside[i & 3]
                                                : kBorder[(i >> 3) & 3];
        in.x = across.x = p[0];
        in.y = across.y = p[1];
        WrapTarget t = desktop ? FindDesktopWrapTarget(across) : FindWrapTarget(in);
        if (t.moved) {
            WrapGate gate = {t.inCorner, false, false, true};
            moved += WrapGateOpen(gate);
        }
    }
    printf("%ld decisions, %u moves\n", n, moved);
    return 0;
}
