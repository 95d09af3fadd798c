// Host driver for callgrind: N wrap decisions (FindWrapTarget, then WrapGateOpen when it would
// move), over a fixed mix of cursor positions. Run under
//   valgrind --tool=callgrind --toggle-collect='FindWrapTarget*' --toggle-collect='WrapGateOpen*'
// the collected instruction count divided by N is the cost of one decision.
//   decision_bench N inside|border|mix
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
    WrapInput in = {0, 0, 1920, 1080, 0, 63, 63};
    unsigned moved = 0;
    for (long i = 0; i < n; ++i) {
        const int* p = !strcmp(mix, "inside")   ? kInside[i & 3]
                       : !strcmp(mix, "border") ? kBorder[i & 3]
                       : (i & 7)                ? kInside[i & 3]
                                                : kBorder[(i >> 3) & 3];
        in.x = p[0];
        in.y = p[1];
        WrapTarget t = FindWrapTarget(in);
        if (t.moved) {
            WrapGate gate = {t.inCorner, false, false, true};
            moved += WrapGateOpen(gate);
        }
    }
    printf("%ld decisions, %u moves\n", n, moved);
    return 0;
}
