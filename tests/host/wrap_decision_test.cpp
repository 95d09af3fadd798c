// The wrap decision on its own: where the cursor goes, when the corner holds it, and how the
// gates combine. Built natively (with sanitizers) and for Windows.
#include "wrap/wrap.h"

#include <gtest/gtest.h>

namespace {

struct TargetCase {
    const char* name;
    int32_t x, y, width, height;
    uint32_t disabled, cornerWidth, cornerHeight;
    bool moved, inCorner;
    int32_t nx, ny;
};

void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.name;
}

WrapInput Input(const TargetCase& c) {
    WrapInput in;
    in.x = c.x;
    in.y = c.y;
    in.screenWidth = c.width;
    in.screenHeight = c.height;
    in.disabledBorders = c.disabled;
    in.cornerWidth = c.cornerWidth;
    in.cornerHeight = c.cornerHeight;
    return in;
}

const TargetCase kTargetCases[] = {
    // name, cursor x and y, screen W and H, flags, corner W and H, moved, in corner, landing x, y
    {"LeftBorderWrapsToJustInsideRight", 0, 300, 1024, 768, 0, 63, 63, true, false, 1022, 300},
    {"RightBorderWrapsToJustInsideLeft", 1023, 300, 1024, 768, 0, 63, 63, true, false, 1, 300},
    {"TopBorderWrapsToJustAboveBottom", 500, 0, 1024, 768, 0, 63, 63, true, false, 500, 766},
    {"BottomBorderWrapsToJustBelowTop", 500, 767, 1024, 768, 0, 63, 63, true, false, 500, 1},
    {"InsideTheScreenNothingMoves", 500, 300, 1024, 768, 0, 63, 63, false, false, 500, 300},
    {"OneInsideEachBorderNothingMoves", 1, 1, 1024, 768, 0, 63, 63, false, false, 1, 1},
    {"RightBorderBelowCornerHeightIsInCorner", 1023, 10, 1024, 768, 0, 63, 63, true, true, 1, 10},
    {"RightBorderAtCornerHeightIsNotInCorner", 1023, 63, 1024, 768, 0, 63, 63, true, false, 1, 63},
    {"TopBorderInsideCornerBandIsInCorner", 980, 0, 1024, 768, 0, 63, 63, true, true, 980, 766},
    {"TopBorderAtCornerBandEdgeIsNotInCorner", 960, 0, 1024, 768, 0, 63, 63, true, false, 960, 766},
    {"TopLeftCornerWrapsHorizontallyFirstIntoCornerBand", 0, 0, 1024, 768, 0, 63, 63, true, true,
     1022, 766},
    {"BottomRightCornerWrapsBothWaysNotInCorner", 1023, 767, 1024, 768, 0, 63, 63, true, false, 1,
     1},
    {"DisabledLeftBorderDoesNotWrap", 0, 300, 1024, 768, 1, 63, 63, false, false, 0, 300},
    {"DisabledTopStillWrapsLeftAtTopLeft", 0, 0, 1024, 768, 2, 63, 63, true, false, 1022, 0},
    {"DisabledRightBorderDoesNotWrap", 1023, 300, 1024, 768, 4, 63, 63, false, false, 1023, 300},
    {"DisabledBottomBorderDoesNotWrap", 500, 767, 1024, 768, 8, 63, 63, false, false, 500, 767},
    {"HighFlagBitsAreIgnored", 0, 300, 1024, 768, 16, 63, 63, true, false, 1022, 300},
    {"ZeroCornerHeightSwitchesCornerOffAtTop", 1000, 0, 1024, 768, 0, 63, 0, true, false, 1000,
     766},
    {"ZeroCornerHeightSwitchesCornerOffAtRight", 1023, 0, 1024, 768, 0, 63, 0, true, false, 1, 766},
    {"ZeroCornerWidthSwitchesCornerOffAtRight", 1023, 10, 1024, 768, 0, 0, 63, true, false, 1, 10},
    {"ZeroCornerWidthSwitchesCornerOffAtTop", 1023 - 1, 0, 1024, 768, 0, 0, 63, true, false, 1022,
     766},
    {"ZeroCornerWidthStillCountsXBeyondRightEdge", 1500, 0, 1024, 768, 4, 0, 63, true, true, 1500,
     766},
    {"NegativeXBeyondLeftEdgeCountsAsHugeAtTop", -20, 0, 1024, 768, 1, 63, 63, true, true, -20,
     766},
    {"CornerWiderThanScreenNeverCountsAtTop", 1022, 0, 1024, 768, 0, 2000, 63, true, false, 1022,
     766},
    {"CornerWiderThanScreenStillCountsAtRight", 1023, 5, 1024, 768, 0, 2000, 63, true, true, 1, 5},
    {"CornerOfScreenWidthLessOneCountsEveryXFromOne", 1, 0, 1024, 768, 0, 1023, 63, true, true, 1,
     766},
    {"CornerOfScreenWidthLessOneSparesXZero", 0, 0, 1024, 768, 1, 1023, 63, true, false, 0, 766},
    {"NegativeXCountsAsLeftBorder", -300, 200, 1024, 768, 0, 63, 63, true, false, 1022, 200},
    {"NegativeYCountsAsTopBorder", 200, -5, 1024, 768, 0, 63, 63, true, false, 200, 766},
    {"BeyondRightEdgeCountsAsRightBorder", 2000, 300, 1024, 768, 0, 63, 63, true, false, 1, 300},
    {"BeyondBottomEdgeCountsAsBottomBorder", 300, 900, 1024, 768, 0, 63, 63, true, false, 300, 1},
    {"DisabledRightLeavesTopCornerTestOnRawX", 1023, -5, 1024, 768, 4, 63, 63, true, true, 1023,
     766},
    {"NegativeYOnRightBorderComparesUnsigned", 1023, -5, 1024, 768, 2, 63, 63, true, false, 1, -5},
};

class FindWrapTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(FindWrapTargetTest, LandsWhereExpected) {
    const TargetCase& c = GetParam();
    WrapTarget t = FindWrapTarget(Input(c));
    EXPECT_EQ(t.moved, c.moved);
    EXPECT_EQ(t.inCorner, c.inCorner);
    EXPECT_EQ(t.x, c.nx);
    EXPECT_EQ(t.y, c.ny);
}

INSTANTIATE_TEST_SUITE_P(Borders, FindWrapTargetTest, testing::ValuesIn(kTargetCases),
                         [](const testing::TestParamInfo<TargetCase>& info) {
                             return std::string(info.param.name);
                         });

struct GateCase {
    bool inCorner, buttonHeld, keyDown, useKeyToPass;
    bool open;
};

TEST(WrapGateOpen, BlockingKeyStopsOrPassesByGate) {
    const GateCase cases[] = {
        // corner button key   pass   open
        {false, false, false, false, true}, // plain wrap
        {false, false, false, true, true},
        {false, false, true, false, false}, // blocking key stops a plain wrap
        {false, false, true, true, false},
        {true, false, false, true, false}, // corner holds without the key
        {true, false, true, true, true},   // key passes the corner with UseKeyToPass
        {true, false, true, false, false}, // but never without it
        {false, true, false, true, false}, // held button holds
        {false, true, true, true, true},   // key passes the button with UseKeyToPass
        {false, true, true, false, false},
        {true, true, true, true, true},
        {true, true, false, false, false},
    };
    for (const GateCase& c : cases) {
        WrapGate gate = {c.inCorner, c.buttonHeld, c.keyDown, c.useKeyToPass};
        EXPECT_EQ(WrapGateOpen(gate), c.open)
            << "corner=" << c.inCorner << " button=" << c.buttonHeld << " key=" << c.keyDown
            << " pass=" << c.useKeyToPass;
    }
}

} // namespace
