#include "wrap.h"

WrapTarget FindWrapTarget(const WrapInput& in) {
    // Screen sizes come from the system and are positive, but the arithmetic is done unsigned
    // so that no input can overflow a signed int.
    const int32_t maxX = (int32_t)((uint32_t)in.screenWidth - 1u);
    const int32_t maxY = (int32_t)((uint32_t)in.screenHeight - 1u);
    const uint32_t disabled = in.disabledBorders & 0xFFu;

    WrapTarget t = {false, false, in.x, in.y};

    // Horizontal first: the top-border corner test below looks at the x already wrapped.
    if (in.x <= 0 && !(disabled & 1u)) {
        t.x = (int32_t)((uint32_t)maxX - 1u);
        t.moved = true;
    } else if (in.x >= maxX && !(disabled & 4u)) {
        t.inCorner = in.cornerWidth != 0 && (uint32_t)in.y < in.cornerHeight;
        t.x = 1;
        t.moved = true;
    }

    if (in.y <= 0 && !(disabled & 2u)) {
        // Unsigned on purpose: a corner wider than the screen makes the bound wrap to a huge
        // value no x exceeds, and an x left of the primary screen counts as huge.
        if (!t.inCorner)
            t.inCorner = in.cornerHeight != 0 && (uint32_t)t.x > (uint32_t)maxX - in.cornerWidth;
        t.y = (int32_t)((uint32_t)maxY - 1u);
        t.moved = true;
    } else if (in.y >= maxY && !(disabled & 8u)) {
        t.y = 1;
        t.moved = true;
    }
    return t;
}

bool WrapGateOpen(const WrapGate& gate) {
    // The blocking key normally stops a wrap; where the corner or a held button stop it, the
    // same key lets the cursor through, but only with UseKeyToPass on.
    if (gate.buttonHoldBlocks || gate.inCorner) return gate.useKeyToPass && gate.blockingKeyDown;
    return !gate.blockingKeyDown;
}
