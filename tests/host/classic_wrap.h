// The classic primary-screen decision with its single top-right corner, kept verbatim as the
// oracle: with the top-right corner alone, FindWrapTarget must decide exactly as this does.
#pragma once

#include "wrap/wrap.h"

inline WrapTarget ClassicWrapTarget(const WrapInput& in) {
    const int32_t maxX = (int32_t)((uint32_t)in.screenWidth - 1u);
    const int32_t maxY = (int32_t)((uint32_t)in.screenHeight - 1u);
    const uint32_t disabled = in.rules.disabledBorders & 0xFFu;
    const uint32_t cw = in.rules.cornerWidth, ch = in.rules.cornerHeight;
    WrapTarget t = {false, false, in.x, in.y, 0};
    if (in.x <= 0 && !(disabled & 1u)) {
        t.x = (int32_t)((uint32_t)maxX - 1u);
        t.moved = true;
    } else if (in.x >= maxX && !(disabled & 4u)) {
        t.inCorner = cw != 0 && (uint32_t)in.y < ch;
        t.x = 1;
        t.moved = true;
    }
    if (in.y <= 0 && !(disabled & 2u)) {
        if (!t.inCorner) t.inCorner = ch != 0 && (uint32_t)t.x > (uint32_t)maxX - cw;
        t.y = (int32_t)((uint32_t)maxY - 1u);
        t.moved = true;
    } else if (in.y >= maxY && !(disabled & 8u)) {
        t.y = 1;
        t.moved = true;
    }
    return t;
}
