// Corner and centre wipes: each style's copies, worked out by hand from its
// rectangles, on small pictures; then the quarters and the centre hole on odd
// sizes.
#include <gtest/gtest.h>

#include "wipes_support.h"

namespace {

using namespace wipes_test;

class CornerWipeFrame : public ::testing::TestWithParam<WipeCase> {};

TEST_P(CornerWipeFrame, MakesExactlyTheCopiesOfItsStyle) { EXPECT_TRUE(DrawsExactly(GetParam())); }

// 10 × 6 at X = 4, Y = 2: mX = 2, mY = 1, mW = 5, mH = 3.
INSTANTIATE_TEST_SUITE_P(
    QuarterWay, CornerWipeFrame,
    ::testing::Values(
        WipeCase{35, 10, 6, 4, 2, {S(6, 4, 4, 2, 0, 0, 10, 6)}},
        WipeCase{36, 10, 6, 4, 2, {S(6, 0, 4, 2, 0, 0, 10, 6)}},
        WipeCase{37, 10, 6, 4, 2, {S(0, 0, 4, 2, 0, 0, 10, 6)}},
        WipeCase{38, 10, 6, 4, 2, {S(0, 4, 4, 2, 0, 0, 10, 6)}}, WipeCase{39, 10, 6, 4, 2, {B(6, 4, 10, 6, 0, 0)}},
        WipeCase{40, 10, 6, 4, 2, {B(6, -4, 10, 6, 0, 0)}}, WipeCase{41, 10, 6, 4, 2, {B(-6, -4, 10, 6, 0, 0)}},
        WipeCase{42, 10, 6, 4, 2, {B(-6, 4, 10, 6, 0, 0)}}, WipeCase{43, 10, 6, 4, 2, {B(0, 0, 4, 2, 0, 0)}},
        WipeCase{44, 10, 6, 4, 2, {B(0, 4, 4, 2, 0, 4)}}, WipeCase{45, 10, 6, 4, 2, {B(6, 4, 4, 2, 6, 4)}},
        WipeCase{46, 10, 6, 4, 2, {B(6, 0, 4, 2, 6, 0)}}, WipeCase{47, 10, 6, 4, 2, {S(0, 0, 16, 10, 0, 0, 4, 2)}},
        WipeCase{48, 10, 6, 4, 2, {S(0, -4, 16, 10, 0, 4, 4, 2)}},
        WipeCase{49, 10, 6, 4, 2, {S(-6, -4, 16, 10, 6, 4, 4, 2)}},
        WipeCase{50, 10, 6, 4, 2, {S(-6, 0, 16, 10, 6, 0, 4, 2)}},
        WipeCase{51, 10, 6, 4, 2, {S(-6, -4, 22, 14, 3, 2, 4, 2)}},
        WipeCase{52, 10, 6, 4, 2, {S(3, 2, 4, 2, 0, 0, 10, 6)}}, WipeCase{53, 10, 6, 4, 2, {B(3, 2, 4, 2, 3, 2)}},
        // The frame minus the centre (2, 1, 8, 5), as four bands.
        WipeCase{
            54, 10, 6, 4, 2, {B(0, 0, 10, 1, 0, 0), B(0, 5, 10, 1, 0, 5), B(0, 1, 2, 4, 0, 1), B(8, 1, 2, 4, 8, 1)}},
        WipeCase{55, 10, 6, 4, 2, {B(0, 0, 2, 1, 0, 0), B(0, 5, 2, 1, 0, 5), B(8, 5, 2, 1, 8, 5), B(8, 0, 2, 1, 8, 0)}},
        WipeCase{56,
                 10,
                 6,
                 4,
                 2,
                 {S(0, 0, 2, 1, 0, 0, 5, 3), S(0, 5, 2, 1, 0, 3, 5, 3), S(8, 5, 2, 1, 5, 3, 5, 3),
                  S(8, 0, 2, 1, 5, 0, 5, 3)}},
        WipeCase{
            57, 10, 6, 4, 2, {B(-3, 0, 5, 3, 0, 0), B(5, -2, 5, 3, 5, 0), B(8, 3, 5, 3, 5, 3), B(0, 5, 5, 3, 0, 3)}}));

// Odd extents: X = 5, Y = 3 give the same border as X = 4, Y = 2 in style
// 54 (X div 2 on each side); the central band sits half a pixel left.
INSTANTIATE_TEST_SUITE_P(
    OddExtent, CornerWipeFrame,
    ::testing::Values(
        WipeCase{
            54, 10, 6, 5, 3, {B(0, 0, 10, 1, 0, 0), B(0, 5, 10, 1, 0, 5), B(0, 1, 2, 4, 0, 1), B(8, 1, 2, 4, 8, 1)}},
        WipeCase{53, 10, 6, 5, 3, {B(2, 1, 5, 3, 2, 1)}}, WipeCase{51, 10, 6, 5, 3, {S(-5, -3, 20, 12, 2, 1, 5, 3)}}));

// Full extent on 7 × 5 (mX = mW = 3, mY = mH = 2): the quarters leave the
// middle column and row old, style 56 never shows the last column or row, and
// style 57's quarters leave old pixels partly in the middle and partly at the
// right and bottom edges. On 8 × 6 style 57's quarters fit together.
INSTANTIATE_TEST_SUITE_P(
    FullExtent, CornerWipeFrame,
    ::testing::Values(
        WipeCase{54, 7, 5, 7, 5, {B(0, 0, 7, 2, 0, 0), B(0, 3, 7, 2, 0, 3), B(0, 2, 3, 1, 0, 2), B(4, 2, 3, 1, 4, 2)}},
        WipeCase{55, 7, 5, 7, 5, {B(0, 0, 3, 2, 0, 0), B(0, 3, 3, 2, 0, 3), B(4, 3, 3, 2, 4, 3), B(4, 0, 3, 2, 4, 0)}},
        WipeCase{56, 7, 5, 7, 5, {B(0, 0, 3, 2, 0, 0), B(0, 3, 3, 2, 0, 2), B(4, 3, 3, 2, 3, 2), B(4, 0, 3, 2, 3, 0)}},
        WipeCase{57, 7, 5, 7, 5, {B(0, 0, 3, 2, 0, 0), B(3, 0, 3, 2, 3, 0), B(4, 2, 3, 2, 3, 2), B(0, 3, 3, 2, 0, 2)}},
        WipeCase{57, 8, 6, 8, 6, {B(0, 0, 8, 6, 0, 0)}}));

}  // namespace
