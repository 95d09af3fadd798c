// The wrap decision on its own: where the cursor goes, when the corner holds it, and how the
// gates combine. Built natively (with sanitizers) and for Windows.
#include "wrap/wrap.h"

#include "classic_wrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

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
    in.rules = {c.disabled, c.cornerWidth, c.cornerHeight, kCornerTopRight};
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

// Across all monitors. The layouts of the examples: the primary 1024x768 at 0,0 and 800x600
// monitors beside it, top-aligned unless said otherwise.
const MonitorLayout kRightOf = {2, {{0, 0, 1024, 768}, {1024, 0, 1824, 600}}};
const MonitorLayout kLeftOf = {2, {{0, 0, 1024, 768}, {-800, 0, 0, 600}}};
const MonitorLayout kThree = {3, {{0, 0, 1024, 768}, {-800, 0, 0, 600}, {1024, 0, 1824, 600}}};
const MonitorLayout kBottomAligned = {2, {{0, 0, 1024, 768}, {1024, 168, 1824, 768}}};
// Off-centre: a smaller monitor below the primary, and one beside it lower down; one at 150 %;
// a zero-width rectangle.
const MonitorLayout kBelow = {2, {{0, 0, 1920, 1080}, {277, 1080, 1643, 1848}}};
const MonitorLayout kLower = {2, {{0, 0, 1920, 1080}, {1920, 312, 3286, 1280}}};
const MonitorLayout kScaled = {2, {{0, 0, 1024, 768, 96}, {1024, 0, 1824, 600, 144}}};
const MonitorLayout kEmpty = {2, {{0, 0, 1024, 768}, {3000, 0, 3000, 768}}};
const MonitorLayout kFlat = {2, {{0, 0, 1024, 768}, {0, 900, 1024, 900}}};

struct DesktopCase {
    const char* name;
    const MonitorLayout* layout;
    int32_t x, y;
    uint32_t disabled;
    bool moved, inCorner;
    int32_t nx, ny;
    uint32_t cornerWidth = 63, cornerHeight = 63;
};

void PrintTo(const DesktopCase& c, std::ostream* os) {
    *os << c.name;
}

const DesktopCase kDesktopCases[] = {
    {"OuterLeftWrapsToFarRightOfTheRow", &kRightOf, 0, 300, 0, true, false, 1822, 300},
    {"OuterRightWrapsToFarLeftOfTheRow", &kRightOf, 1823, 300, 0, true, false, 1, 300},
    {"SharedEdgeIsNoBorder", &kRightOf, 1023, 300, 0, false, false, 1023, 300},
    {"RowHeldByOneMonitorWrapsWithinIt", &kRightOf, 1023, 700, 0, true, false, 1, 700},
    {"TopOfSecondWrapsToItsBottom", &kRightOf, 1500, 0, 0, true, false, 1500, 598},
    {"BottomOfSecondWrapsToItsTop", &kRightOf, 1500, 599, 0, true, false, 1500, 1},
    {"SecondMonitorsOwnCornerHolds", &kRightOf, 1823, 10, 0, true, true, 1, 10},
    {"PrimarysCornerHolds", &kRightOf, 980, 0, 0, true, true, 980, 766},
    {"CornerBandIsMeasuredOnTheSecondMonitor", &kRightOf, 1700, 0, 0, true, false, 1700, 598},
    {"DiagonalCornerWrapsInOneTickIntoFarCorner", &kRightOf, 0, 0, 0, true, true, 1822, 598},
    {"CursorInAHoleIsNotMoved", &kRightOf, 1500, 700, 0, false, false, 1500, 700},
    {"DisabledLeftHoldsAtTheOuterLeft", &kRightOf, 0, 300, 1, false, false, 0, 300},
    {"DisabledTopStillWrapsSideways", &kRightOf, 0, 0, 2, true, false, 1822, 0},
    {"LeftOfPrimaryWrapsToPrimarysRight", &kLeftOf, -800, 300, 0, true, false, 1022, 300},
    {"PrimarysRightWrapsToNegativeLeft", &kLeftOf, 1023, 300, 0, true, false, -799, 300},
    {"SharedEdgeLeftOfPrimaryIsNoBorder", &kLeftOf, -1, 300, 0, false, false, -1, 300},
    {"PrimarysLeftBelowTheNeighbourIsABorder", &kLeftOf, 0, 700, 0, true, false, 1022, 700},
    {"ThreeMonitorsLeftToRight", &kThree, -800, 300, 0, true, false, 1822, 300},
    {"ThreeMonitorsRightToLeft", &kThree, 1823, 300, 0, true, false, -799, 300},
    {"TopOfALowerMonitorIsABorder", &kBottomAligned, 1500, 168, 0, true, false, 1500, 766},
    {"PrimarysCornerBesideALowerMonitorHolds", &kBottomAligned, 1023, 10, 0, true, true, 1, 10},
    {"FirstRowOfALowerMonitorIsInTheRow", &kBottomAligned, 0, 168, 0, true, false, 1822, 169},
    {"RowAboveALowerMonitorIsNot", &kBottomAligned, 0, 167, 0, true, false, 1022, 167},
    {"LastRowOfAShorterMonitorIsInTheRow", &kRightOf, 0, 599, 0, true, false, 1822, 598},
    {"RowBelowAShorterMonitorIsNot", &kRightOf, 0, 600, 0, true, false, 1022, 600},
    {"VerticalLandingOffTheLeftEdgeBelow", &kBelow, 277, 0, 0, true, false, 278, 1846},
    {"VerticalLandingOffTheRightEdgeBelow", &kBelow, 1642, 0, 0, true, false, 1641, 1846},
    {"ColumnsBesideTheMonitorBelowAreNot", &kBelow, 276, 0, 0, true, false, 276, 1078},
    {"ColumnRightOfTheMonitorBelow", &kBelow, 1643, 0, 0, true, false, 1643, 1078},
    {"DisabledLeftKeepsTheLandingColumn", &kBelow, 277, 0, 1, true, false, 277, 1846},
    {"DisabledRightKeepsTheLandingColumn", &kBelow, 1642, 0, 4, true, false, 1642, 1846},
    {"DisabledBottomKeepsTheLandingRow", &kRightOf, 0, 599, 8, true, false, 1822, 599},
    {"SidewaysLandingOffTheTopEdge", &kLower, 0, 312, 0, true, false, 3284, 313},
    {"SidewaysAloneWithTheTopDisabled", &kLower, 0, 312, 2, true, false, 3284, 312},
    {"ZeroWidthMonitorCountsForNothing", &kEmpty, 0, 300, 0, true, false, 1022, 300},
    {"ZeroHeightMonitorCountsForNothing", &kFlat, 500, 0, 0, true, false, 500, 766},
    {"CornerHeightIsNotItsWidth", &kRightOf, 1823, 40, 0, true, false, 1, 40, 63, 30},
    {"CornerWidthIsNotItsHeight", &kRightOf, 1780, 0, 0, true, false, 1780, 598, 30, 63},
    {"CornerScaledOnA150PercentMonitor", &kScaled, 1823, 94, 0, true, true, 1, 94},
    {"ScaledCornerEndsWhereItShould", &kScaled, 1823, 95, 0, true, false, 1, 95},
    {"ScaledCornerAtTheTop", &kScaled, 1729, 0, 0, true, true, 1729, 598},
};

class FindDesktopWrapTargetTest : public testing::TestWithParam<DesktopCase> {};

TEST_P(FindDesktopWrapTargetTest, LandsWhereExpected) {
    const DesktopCase& c = GetParam();
    DesktopWrapInput in = {
        c.x, c.y, c.layout, {c.disabled, c.cornerWidth, c.cornerHeight, kCornerTopRight}};
    WrapTarget t = FindDesktopWrapTarget(in);
    EXPECT_EQ(t.moved, c.moved);
    EXPECT_EQ(t.inCorner, c.inCorner);
    EXPECT_EQ(t.x, c.nx);
    EXPECT_EQ(t.y, c.ny);
}

INSTANTIATE_TEST_SUITE_P(Monitors, FindDesktopWrapTargetTest, testing::ValuesIn(kDesktopCases),
                         [](const testing::TestParamInfo<DesktopCase>& info) {
                             return std::string(info.param.name);
                         });

// Every corner enabled, 1024x768 with 63x63 corners: each corner mirrors the top-right one.
TEST(FindWrapTarget, EveryEnabledCornerHoldsItsOwnBands) {
    const uint32_t kAll = 15;
    struct {
        int32_t x, y;
        uint32_t corners;
        bool inCorner;
        int32_t nx, ny;
    } cases[] = {
        {0, 767, kAll, true, 1022, 1},   // bottom left: on both bands
        {0, 705, kAll, true, 1022, 705}, // the left band is y > 767 - 63
        {0, 704, kAll, false, 1022, 704},
        {1023, 767, kAll, true, 1, 1}, // bottom right
        {1023, 704, kAll, false, 1, 704},
        {10, 0, kAll, true, 10, 766},  // top left, from the top
        {0, 62, kAll, true, 1022, 62}, // top left, from the left
        {0, 63, kAll, false, 1022, 63},
        {62, 767, kAll, true, 62, 1}, // bottom left, from the bottom
        {63, 767, kAll, false, 63, 1},
        {961, 767, kAll, true, 961, 1}, // bottom right, from the bottom
        {960, 767, kAll, false, 960, 1},
        {0, 767, kCornerTopRight, false, 1022, 1}, // the classic set leaves bottom left free
        {0, 767, kCornerBottomLeft, true, 1022, 1},
        {0, 767, kCornerBottomRight, true, 1022, 1}, // wrapped sideways into that corner
        {1023, 767, kCornerBottomLeft, true, 1, 1},
        {0, 0, kCornerTopLeft, true, 1022, 766},
        {0, 0, kCornerBottomLeft | kCornerBottomRight, false, 1022, 766},
        {0, 767, 0x10 | kCornerTopRight, false, 1022, 1}, // only the low four bits count
    };
    for (const auto& c : cases) {
        WrapInput in = {c.x, c.y, 1024, 768, {0, 63, 63, c.corners}};
        WrapTarget t = FindWrapTarget(in);
        EXPECT_TRUE(t.moved && t.inCorner == c.inCorner && t.x == c.nx && t.y == c.ny)
            << "(" << c.x << ", " << c.y << ") corners " << c.corners;
    }
}

// With the top-right corner alone the decision is the classic one, and on one monitor the
// desktop-wide decision is the primary-screen one for every corner set: every point of each
// border row and column (where the corner bands begin and end), every flag and corner size.
// On several monitors, no landing point is itself a wrap.
TEST(FindWrapTarget, ClassicWithTopRightAloneAndOneMonitorIsThePrimaryScreen) {
    const int32_t sizes[][2] = {{1, 1}, {2, 3}, {5, 4}, {64, 48}};
    const uint32_t flagSets[] = {0, 1, 2, 4, 8, 15};
    for (const auto& size : sizes) {
        const int32_t w = size[0], h = size[1];
        const MonitorLayout one = {1, {{0, 0, w, h}}};
        const uint32_t cornerSizes[] = {
            0, 1, 63, (uint32_t)h - 1, (uint32_t)w - 1, (uint32_t)w, 2000, 0xFFFFFFFFu};
        std::vector<std::pair<int32_t, int32_t>> points;
        for (int32_t x = 0; x < w; ++x)
            for (int32_t y : {0, 1, h / 2, h - 2, h - 1})
                points.push_back({x, y});
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x : {0, 1, w / 2, w - 2, w - 1})
                points.push_back({x, y});
        for (uint32_t disabled : flagSets)
            for (uint32_t cw : cornerSizes)
                for (uint32_t ch : cornerSizes)
                    for (uint32_t corners = 0; corners < 16; ++corners)
                        for (const auto& p : points) {
                            if (p.first < 0 || p.second < 0 || p.first >= w || p.second >= h)
                                continue; // the border lists of screens below two pixels
                            const WrapRules rules = {disabled, cw, ch, corners};
                            WrapInput primary = {p.first, p.second, w, h, rules};
                            DesktopWrapInput desktop = {p.first, p.second, &one, rules};
                            WrapTarget a = FindWrapTarget(primary);
                            WrapTarget b = FindDesktopWrapTarget(desktop);
                            WrapTarget c =
                                corners == kCornerTopRight ? ClassicWrapTarget(primary) : a;
                            ASSERT_TRUE(a.moved == b.moved && a.inCorner == b.inCorner &&
                                        a.x == b.x && a.y == b.y && a.borders == b.borders &&
                                        a.moved == (a.borders != 0) && a.moved == c.moved &&
                                        a.inCorner == c.inCorner && a.x == c.x && a.y == c.y)
                                << w << "x" << h << " at " << p.first << "," << p.second
                                << " flags " << disabled << " corner " << cw << "x" << ch << " set "
                                << corners;
                        }
    }

    // Random layouts of two to four monitors of at least 3 by 3 pixels, each right of or below
    // all before it, against them or a few pixels off, at any offset along the previous one:
    // from every point a move lands on a monitor, and the next decision does not move it on.
    uint32_t seed = 1;
    auto next = [&seed](int32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (int32_t)((seed >> 8) % (uint32_t)n);
    };
    for (int round = 0; round < 600; ++round) {
        MonitorLayout layout = {1, {{0, 0, 3 + next(9), 3 + next(9)}}};
        int32_t right = layout.monitors[0].right, bottom = layout.monitors[0].bottom;
        for (; layout.count < 2u + round % 3u; ++layout.count) {
            const MonitorRect& a = layout.monitors[layout.count - 1];
            const int32_t w = 3 + next(9), h = 3 + next(9), gap = next(4) ? 0 : 1 + next(3);
            const bool beside = next(2);
            const int32_t left = beside ? right + gap : a.left + next(w + a.right - a.left) - w + 1;
            const int32_t top = beside ? a.top + next(h + a.bottom - a.top) - h + 1 : bottom + gap;
            layout.monitors[layout.count] = {left, top, left + w, top + h};
            right = std::max(right, left + w), bottom = std::max(bottom, top + h);
        }
        for (uint32_t disabled : {0u, 1u, 2u, 5u, 10u, 12u})
            for (int32_t x = -40; x <= right; ++x)
                for (int32_t y = -40; y <= bottom; ++y) {
                    const WrapRules rules = {disabled, 2, 1, 15};
                    const WrapTarget t = FindDesktopWrapTarget({x, y, &layout, rules});
                    const WrapTarget again = FindDesktopWrapTarget({t.x, t.y, &layout, rules});
                    ASSERT_TRUE(!t.moved || (LayoutHolds(layout, t.x, t.y) && !again.moved))
                        << "round " << round << " from " << x << "," << y << " flags " << disabled;
                }
    }
}

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

// The layout as the system lists it: empty and inverted rectangles left out, and of more than
// kMaxMonitors the first ones; a count claiming more is read as kMaxMonitors.
TEST(MonitorLayout, KeepsTheFirstSixteenRealMonitors) {
    MonitorLayout layout = {0, {}};
    EXPECT_FALSE(AddMonitorRect(layout, {3000, 0, 3000, 768}));
    EXPECT_FALSE(AddMonitorRect(layout, {10, 10, 20, 5}));
    for (int32_t i = 0; i < 20; ++i)
        EXPECT_EQ(AddMonitorRect(layout, {i * 100, 0, i * 100 + 100, 100}), i < 16) << i;
    EXPECT_EQ(layout.count, kMaxMonitors);
    layout.count = 200;
    const WrapTarget t = FindDesktopWrapTarget({1599, 50, &layout, {0, 0, 0, 15}});
    EXPECT_TRUE(t.moved && t.x == 1 && t.y == 50) << t.x;
}

// What the decisions cannot show: a corner size saturating at a monitor's scale, a monitor's
// DPI from its two widths, the resting delay counted in ticks, at most 5000 ms of them, and a
// move set once more only where the cursor was read back off its target.
TEST(WrapArithmetic, RoundsAndSaturates) {
    EXPECT_EQ(ScaleToMonitor(0xFFFFFFFFu, 192), 0xFFFFFFFFu);
    const int32_t dpis[][3] = {{3840, 2560, 144}, {1366, 1093, 120}, {63, 64, 95},
                               {0, 1920, 0},      {1920, -1, 0},     {1920, 0, 0}};
    for (const auto& c : dpis)
        EXPECT_EQ(MonitorDpi(c[0], c[1]), (uint32_t)c[2]) << c[0] << " over " << c[1];
    const uint32_t needed[][3] = {{200, 50, 5}, {130, 50, 4},    {200, 30, 8},
                                  {0, 50, 1},   {9000, 50, 101}, {200, 9, 21}};
    for (const auto& c : needed)
        EXPECT_EQ(RestingTicksNeeded(c[0], c[1]), c[2]) << c[0] << " ms at " << c[1];
    // Pushed from 10 counts on: cursor x, y; absolute; packet x, y; buttons; the count after.
    const int64_t m = INT32_MIN, M = INT32_MAX, met = kPushMet;
    const int64_t pushes[][7] = {
        {0, 300, 0, -30, 5, 0, 40},   {1023, 300, 0, 30, -5, 0, 40},    {500, 0, 0, 5, -30, 0, 40},
        {500, 767, 0, -5, 30, 0, 40}, {0, 0, 0, -30, -20, 0, 60},       {0, 300, 0, 30, -40, 0, 10},
        {0, 300, 0, m, 0, 0, 10 - m}, {1023, 767, 0, M, M, 0, met},     {0, 300, 1, 9, 9, 0, met},
        {0, 300, 1, 0, 0, 1, 10},     {1023, 300, 0, -30, 0, 0x400, 10}};
    for (const auto& c : pushes) {
        const WrapTarget t = FindWrapTarget({(int32_t)c[0], (int32_t)c[1], 1024, 768, {}});
        const MousePacket packet = {c[2] != 0, (int32_t)c[3], (int32_t)c[4], (uint16_t)c[5]};
        EXPECT_EQ(AddPush(10, t.borders, packet), (uint32_t)c[6]) << c[0] << "," << c[1];
    }
    EXPECT_TRUE(PushMet(100, 100) && !PushMet(99, 100) && PushMet(20000, 90000) &&
                !PushMet(19999, 90000));
    const int32_t readBacks[][4] = {{10, 20, 0}, {11, 20, 1}, {10, 19, 1}, {-1, -1, 0}};
    for (const auto& c : readBacks) // a failed read (-1) sets nothing again
        EXPECT_EQ(SetCursorAgain(10, 20, c[0] >= 0, c[0], c[1]), c[2] != 0) << c[0] << "," << c[1];
}

// The foreground window on a 1024x768 monitor, at 0,0 unless moved: full-screen only when
// visible, not minimised, not the desktop, the shell or ours, not marked "NonRudeHWND", and
// with its client area covering the monitor, wherever its caption is.
TEST(IsFullScreenProgram, OnlyAClientAreaCoveringItsMonitor) {
    const uint32_t kPopup = kStyleVisible, kCaption = kStyleVisible | 0x00C00000u;
    const struct {
        uint32_t style;
        const char* className;
        bool desktop, ours, notRude;
        int32_t left, top, right, bottom;
        bool full;
        int32_t monLeft = 0, monTop = 0;
    } cases[] = {
        {kPopup, "Game", false, false, false, 0, 0, 1024, 768, true},
        {kPopup, "Game", false, false, false, -8, -8, 1032, 776, true},
        {kCaption, "Game", false, false, false, 0, 0, 1024, 768, true},   // caption above it
        {kCaption, "Game", false, false, false, 0, 23, 1024, 768, false}, // maximised
        {kPopup, "Game", false, false, false, 1, 1, 1023, 767, false},    // a border inside
        {kPopup, "Game", false, false, false, 0, 0, 1024, 767, false},
        {kPopup, "Game", false, false, false, 0, 0, 1023, 768, false},
        {kPopup, "Game", false, false, false, 1, 0, 1024, 768, false},
        {kPopup, "Game", false, false, false, 0, 1, 1024, 768, false},
        {kPopup, "Overlay", false, false, true, 0, 0, 1024, 768, false},
        {kPopup | kStyleMinimised, "Game", false, false, false, 0, 0, 1024, 768, false},
        {0, "Game", false, false, false, 0, 0, 1024, 768, false},
        {kPopup, "Progman", false, false, false, 0, 0, 1024, 768, false},
        {kPopup, "WorkerW", false, false, false, 0, 0, 1024, 768, false},
        {kPopup, "Shell_TrayWnd", false, false, false, 0, 0, 1024, 768, false},
        {kPopup, "Shell_SecondaryTrayWnd", false, false, false, 0, 0, 1024, 768, false},
        {kPopup, "Game", true, false, false, 0, 0, 1024, 768, false},
        {kPopup, "Game", false, true, false, 0, 0, 1024, 768, false},
        {kPopup, "Game", false, false, false, -1024, 100, 0, 868, true, -1024, 100},
        {kPopup, "Game", false, false, false, -1024, 100, -1, 868, false, -1024, 100},
        {kPopup, "Game", false, false, false, -1024, 101, 0, 868, false, -1024, 100},
    };
    for (const auto& c : cases) {
        const ForegroundWindow w = {
            c.desktop, c.ours,   c.notRude, c.className, c.style,          c.left,        c.top,
            c.right,   c.bottom, c.monLeft, c.monTop,    c.monLeft + 1024, c.monTop + 768};
        EXPECT_EQ(IsFullScreenProgram(w), c.full)
            << c.className << " " << c.style << " " << c.left << "," << c.top;
    }
    // Games: a confinement short of the area; no flags or no shape, but not touch or pen.
    const ScreenRect kScreen = {0, 0, 1024, 768}, kWide = LayoutBounds(kLeftOf);
    EXPECT_TRUE(
        !ConfinedWithin(kScreen, kScreen) && !ConfinedWithin({-8, -8, 1032, 776}, kScreen) &&
        ConfinedWithin({0, 0, 1000, 768}, kScreen) && ConfinedWithin({1, 0, 1024, 768}, kScreen) &&
        ConfinedWithin({0, 1, 1024, 768}, kScreen) && ConfinedWithin({0, 0, 1024, 767}, kScreen) &&
        ConfinedWithin(kScreen, kWide) && !ConfinedWithin({-800, 0, 1024, 768}, kWide));
    EXPECT_TRUE(CursorHidden(0, false) && !CursorHidden(kCursorShowing, false) &&
                CursorHidden(kCursorShowing, true) && !CursorHidden(kCursorSuppressed, true));
    EXPECT_TRUE(RectHolds(kScreen, 1023, 767) && !RectHolds(kScreen, 1024, 0) &&
                !RectHolds(kScreen, 0, 768) && !RectHolds(kWide, -801, 0));
}

// Auto-hidden taskbars on a 1920x1080 primary (no corners): a cursor on the taskbar's edge
// within its length is held, a landing point on its strip moves inward, and only a taskbar
// that hides itself, along an edge (its inner side in the edge's half), on that monitor (not the
// bar of a monitor above) and, across all monitors, at an outer edge of the desktop counts (not
// above a monitor below).
TEST(KeepTaskbarsReachable, HoldsOnAHiddenTaskbarsEdgeAndLandsOffItsStrip) {
    const ScreenRect kFullHD = {0, 0, 1920, 1080}, kSecond = {1920, 312, 3286, 1280};
    const MonitorLayout kStacked = {2, {{0, 0, 1920, 1080}, {0, 1080, 1920, 2160}}};
    const MonitorLayout kRightBelow = {2, {{0, 0, 1920, 1080}, {1000, 1080, 1920, 1848}}};
    const struct {
        ScreenRect bar, monitor, work;
    } kBottom = {{0, 1078, 1920, 1118}, kFullHD, kFullHD},
      kShown = {{0, 1040, 1920, 1080}, kFullHD, kFullHD},
      kStays = {{0, 1040, 1920, 1080}, kFullHD, {0, 0, 1920, 1040}},
      kTop = {{0, -38, 1920, 2}, kFullHD, kFullHD}, kLeft = {{-60, 0, 2, 1080}, kFullHD, kFullHD},
      kRight = {{1918, 0, 1980, 1080}, kFullHD, kFullHD},
      kAbove = {{0, -40, 1920, 0}, kFullHD, kFullHD},
      kShort = {{0, 1078, 900, 1118}, kFullHD, kFullHD},
      kPart = {{0, 1078, 1200, 1118}, kFullHD, kFullHD},
      kOffOrigin = {{1920, 1278, 3286, 1318}, kSecond, kSecond},
      kHalf = {{0, 1078, 960, 1118}, kFullHD, kFullHD}, kWhole = {kFullHD, kFullHD, kFullHD};
    const struct {
        const decltype(kBottom)* desk;
        const MonitorLayout* layout;
        int32_t x, y;
        bool held;
        int32_t nx, ny;
    } cases[] = {
        {&kBottom, nullptr, 960, 1079, true, 960, 1},
        {&kBottom, nullptr, 0, 1079, true, 1918, 1},
        {&kBottom, nullptr, 960, 0, false, 960, 1077},
        {&kBottom, nullptr, 0, 500, false, 1918, 500},
        {&kShown, nullptr, 960, 0, false, 960, 1039},
        {&kStays, nullptr, 960, 1079, false, 960, 1},
        {&kTop, nullptr, 960, 0, true, 960, 1078},
        {&kTop, nullptr, 960, 1079, false, 960, 2},
        {&kLeft, nullptr, 0, 500, true, 1918, 500},
        {&kLeft, nullptr, 1919, 500, false, 2, 500},
        {&kRight, nullptr, 1919, 500, true, 1, 500},
        {&kRight, nullptr, 0, 500, false, 1917, 500},
        {&kAbove, nullptr, 960, 0, false, 960, 1078},
        {&kShort, nullptr, 960, 1079, false, 960, 1},
        {&kWhole, nullptr, 0, 500, false, 1918, 500},
        {&kPart, nullptr, 1199, 1079, true, 1199, 1},
        {&kPart, nullptr, 1200, 1079, false, 1200, 1},
        {&kBottom, &kBelow, 100, 1079, true, 100, 1},
        {&kBottom, &kBelow, 1800, 0, false, 1800, 1077},
        {&kBottom, &kStacked, 0, 1079, false, 1918, 1079},
        {&kOffOrigin, &kLower, 2500, 1279, true, 2500, 313},
        {&kOffOrigin, &kLower, 2500, 312, false, 2500, 1277},
        {&kHalf, nullptr, 959, 1079, true, 959, 1},
        {&kLeft, &kLower, 0, 500, true, 3284, 500},
        {&kRight, &kLower, 1919, 100, true, 1, 100},
        {&kBottom, &kRightBelow, 1919, 1078, false, 1, 1077}, // outer only where it lands
    };
    for (const auto& c : cases) {
        const TaskbarEdge e = FindTaskbarEdge(c.desk->bar, c.desk->monitor, c.desk->work);
        const WrapRules rules = {0, 0, 0, 0};
        WrapTarget t = c.layout ? FindDesktopWrapTarget({c.x, c.y, c.layout, rules})
                                : FindWrapTarget({c.x, c.y, 1920, 1080, rules});
        t = KeepTaskbarsReachable({c.x, c.y, &e, 1, c.layout}, t);
        EXPECT_TRUE(t.moved && t.inCorner == c.held && t.x == c.nx && t.y == c.ny)
            << c.desk->bar.top << " from " << c.x << "," << c.y << " to " << t.x << "," << t.y;
    }
}

// ExcludedPrograms against the program in front; only ASCII letters fold, never a trail byte.
TEST(ProgramListNames, ComparesFileNamesAsAUserTypesThem) {
    const std::string kLong = std::string(1013, ';') + " mstsc.exe"; // 1023 characters
    LeadBytes western = {}, japanese = {};
    for (int b = 0; b < 256; ++b)
        japanese.lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    const struct {
        const char* list;
        const char* path;
        bool named;
        const LeadBytes* code = nullptr;
    } cases[] = {
        {"mstsc.exe; Photoshop.exe", "C:\\Windows\\mstsc.exe", true},
        {"mstsc.exe; Photoshop.exe", "C:\\Adobe\\PHOTOSHOP.EXE", true},
        {"\t mstsc.exe  ;", "C:\\mstsc.exe", true},
        {"C:\\Tools\\x.exe", "D:\\Other\\x.exe", true},
        {"x.exe", "D:/Other/X.exe", true},
        {"notepad", "C:\\notepad.exe", true},
        {"notepad", "C:\\notepad.com", false},
        {"note", "C:\\notepad.exe", false},
        {"my.app", "C:\\my.app.exe", false},
        {";; ;", "C:\\x.exe", false},
        {"\xC4.exe", "C:\\\xE4.exe", false},
        {kLong.c_str(), "C:\\mstsc.exe", true},
        {"D:/Tools/x.exe", "C:\\x.exe", true},
        {"\x83\x41.exe", "C:\\\x83\x61.exe", false, &japanese},
        {"\x8E\xA6.exe", "C:\\\x95\x5C\x8E\xA6.exe", false, &japanese},
        {"\x95\x5C\x8E\xA6.exe", "C:\\\x8E\xA6.exe", false, &japanese},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramListNames(c.list, c.path, c.code ? *c.code : western), c.named)
            << c.list << " / " << c.path;
    EXPECT_TRUE(IsStoreAppFrame("C:\\Windows\\System32\\applicationframehost.exe", western));
    EXPECT_FALSE(IsStoreAppFrame("C:\\ApplicationFrameHost.exe\\x.exe", western));
    EXPECT_TRUE(!ProgramListHasNames(";;;") && !ProgramListHasNames(" ; \t;") &&
                !ProgramListHasNames("") && ProgramListHasNames(" ;x"));
}

} // namespace
