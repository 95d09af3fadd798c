// FindWrapTarget and WrapGateOpen over every input: no UB for any screen size, and for real
// screen sizes the landing rules hold. Input: the WrapInput fields, then four gate bits.
#include "../../wrap/wrap.h"
#include "fuzz_check.h"

#include <stdint.h>
#include <string.h>

static bool SameTarget(const WrapTarget& a, const WrapTarget& b) {
    return a.moved == b.moved && a.inCorner == b.inCorner && a.x == b.x && a.y == b.y;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WrapInput in;
    if (size < sizeof(in) + 1) return 0;
    memcpy(&in, data, sizeof(in));
    uint8_t gateBits = data[sizeof(in)];

    WrapTarget t = FindWrapTarget(in); // any input at all: UBSan sees overflow
    if (t.inCorner) FUZZ_CHECK(t.moved);

    // Only the low byte of the border flags counts.
    WrapInput high = in;
    high.disabledBorders ^= 0xFFFFFF00u & (in.cornerWidth * 2654435761u);
    FUZZ_CHECK(SameTarget(FindWrapTarget(high), t));

    const int32_t W = in.screenWidth, H = in.screenHeight;
    if (W >= 3 && H >= 3 && W <= 65536 && H <= 65536) {
        const uint32_t off = in.disabledBorders;
        bool left = in.x <= 0 && !(off & 1u), right = !left && in.x >= W - 1 && !(off & 4u);
        bool top = in.y <= 0 && !(off & 2u), bottom = !top && in.y >= H - 1 && !(off & 8u);
        FUZZ_CHECK(t.moved == (left || right || top || bottom));
        // A wrapped axis lands one pixel inside the opposite border; the other axis stays.
        FUZZ_CHECK(t.x == (left ? W - 2 : right ? 1 : in.x));
        FUZZ_CHECK(t.y == (top ? H - 2 : bottom ? 1 : in.y));
        if (left || right) FUZZ_CHECK(t.x >= 1 && t.x <= W - 2);
        if (top || bottom) FUZZ_CHECK(t.y >= 1 && t.y <= H - 2);
        // No corner without a corner height; no corner from the right border without a width.
        if (in.cornerHeight == 0) FUZZ_CHECK(!t.inCorner);
        if (in.cornerWidth == 0 && !(top && (t.x < 0 || t.x > W - 1))) FUZZ_CHECK(!t.inCorner);
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
