// The wrap engine: on every tick, a cursor on a border of the primary screen is moved to just
// inside the opposite border, unless a gate holds it back.
//
// The decision is platform-free and split in two pure steps: FindWrapTarget (where would the
// cursor go, and is it in the ignorable top-right corner) and WrapGateOpen (do the held button
// and the blocking key let it go). WrapTick gathers the inputs from Windows, reading key state
// only when a border was reached.
#pragma once

#include <stdint.h>

struct WrapInput {
    int32_t x, y;             // cursor position; negative on a monitor left of / above the primary
    int32_t screenWidth;      // SM_CXSCREEN
    int32_t screenHeight;     // SM_CYSCREEN
    uint32_t disabledBorders; // BorderFlags; only the low byte is looked at
    uint32_t cornerWidth;     // IgnorableTRCornerWidth
    uint32_t cornerHeight;    // IgnorableTRCornerHeight
};

struct WrapTarget {
    bool moved;    // a border was reached on which wrapping is enabled
    bool inCorner; // the ignorable top-right corner was touched on the way
    int32_t x, y;  // landing point, one pixel inside the opposite border(s)
};

struct WrapGate {
    bool inCorner;
    bool buttonHoldBlocks; // DoNotTranferIfLMBPressed on and the primary button down
    bool blockingKeyDown;
    bool useKeyToPass;
};

WrapTarget FindWrapTarget(const WrapInput& in);
bool WrapGateOpen(const WrapGate& gate);

#ifdef _WIN32

// One timer tick: returns true when it moved the cursor.
bool WrapTick();
bool ButtonHoldBlocks();
bool BlockingKeyDown();

#endif
