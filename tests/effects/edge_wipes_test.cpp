// Edge wipes: each style's copies, worked out by hand from its rectangles, on
// small pictures; then the odd sizes where the halves don't meet.
#include <gtest/gtest.h>

#include <vector>

#include "wipes_support.h"

namespace {

using namespace wipes_test;

class EdgeWipeFrame : public ::testing::TestWithParam<WipeCase> {};

TEST_P(EdgeWipeFrame, MakesExactlyTheCopiesOfItsStyle) { EXPECT_TRUE(DrawsExactly(GetParam())); }

// Across the width on 10 × 6 with X = 4, and down the height on 6 × 10 with Y = 4.
INSTANTIATE_TEST_SUITE_P(
    QuarterWay, EdgeWipeFrame,
    ::testing::Values(
        WipeCase{1, 10, 6, 4, 2, {S(6, 0, 4, 6, 0, 0, 10, 6)}}, WipeCase{2, 10, 6, 4, 2, {S(0, 0, 4, 6, 0, 0, 10, 6)}},
        WipeCase{3, 10, 6, 4, 2, {B(6, 0, 10, 6, 0, 0)}}, WipeCase{4, 10, 6, 4, 2, {B(-6, 0, 10, 6, 0, 0)}},
        WipeCase{5, 10, 6, 4, 2, {B(0, 0, 4, 6, 0, 0)}}, WipeCase{6, 10, 6, 4, 2, {B(6, 0, 4, 6, 6, 0)}},
        WipeCase{7, 10, 6, 4, 2, {S(0, 0, 16, 6, 0, 0, 4, 6)}}, WipeCase{8, 10, 6, 4, 2, {S(-6, 0, 16, 6, 6, 0, 4, 6)}},
        WipeCase{9, 10, 6, 4, 2, {S(-6, 0, 22, 6, 3, 0, 4, 6)}},
        WipeCase{10, 10, 6, 4, 2, {S(3, 0, 4, 6, 0, 0, 10, 6)}}, WipeCase{11, 10, 6, 4, 2, {B(3, 0, 4, 6, 3, 0)}},
        WipeCase{12, 10, 6, 4, 2, {B(0, 0, 2, 6, 0, 0), B(8, 0, 2, 6, 8, 0)}},
        WipeCase{13, 10, 6, 4, 2, {S(0, 0, 2, 6, 0, 0, 5, 6), S(8, 0, 2, 6, 5, 0, 5, 6)}},
        WipeCase{18, 6, 10, 2, 4, {S(0, 6, 6, 4, 0, 0, 6, 10)}},
        WipeCase{19, 6, 10, 2, 4, {S(0, 0, 6, 4, 0, 0, 6, 10)}}, WipeCase{20, 6, 10, 2, 4, {B(0, 6, 6, 10, 0, 0)}},
        WipeCase{21, 6, 10, 2, 4, {B(0, -6, 6, 10, 0, 0)}}, WipeCase{22, 6, 10, 2, 4, {B(0, 0, 6, 4, 0, 0)}},
        WipeCase{23, 6, 10, 2, 4, {B(0, 6, 6, 4, 0, 6)}}, WipeCase{24, 6, 10, 2, 4, {S(0, 0, 6, 16, 0, 0, 6, 4)}},
        WipeCase{25, 6, 10, 2, 4, {S(0, -6, 6, 16, 0, 6, 6, 4)}},
        WipeCase{26, 6, 10, 2, 4, {S(0, -6, 6, 22, 0, 3, 6, 4)}},
        WipeCase{27, 6, 10, 2, 4, {S(0, 3, 6, 4, 0, 0, 6, 10)}}, WipeCase{28, 6, 10, 2, 4, {B(0, 3, 6, 4, 0, 3)}},
        WipeCase{29, 6, 10, 2, 4, {B(0, 0, 6, 2, 0, 0), B(0, 8, 6, 2, 0, 8)}},
        WipeCase{30, 6, 10, 2, 4, {S(0, 0, 6, 2, 0, 0, 6, 5), S(0, 8, 6, 2, 0, 5, 6, 5)}}));

// Odd W - X puts the middle band half a pixel left of centre; odd X gives each
// side X div 2 columns, one fewer than X in all.
INSTANTIATE_TEST_SUITE_P(
    OddExtent, EdgeWipeFrame,
    ::testing::Values(WipeCase{9, 10, 6, 7, 4, {S(-3, 0, 16, 6, 1, 0, 7, 6)}},
                      WipeCase{10, 10, 6, 7, 4, {S(1, 0, 7, 6, 0, 0, 10, 6)}},
                      WipeCase{11, 10, 6, 7, 4, {B(1, 0, 7, 6, 1, 0)}},
                      WipeCase{12, 10, 6, 7, 4, {B(0, 0, 3, 6, 0, 0), B(7, 0, 3, 6, 7, 0)}},
                      WipeCase{13, 10, 6, 7, 4, {S(0, 0, 3, 6, 0, 0, 5, 6), S(7, 0, 3, 6, 5, 0, 5, 6)}},
                      WipeCase{26, 6, 10, 4, 7, {S(0, -3, 6, 16, 0, 1, 6, 7)}},
                      WipeCase{29, 6, 10, 4, 7, {B(0, 0, 6, 3, 0, 0), B(0, 7, 6, 3, 0, 7)}},
                      WipeCase{30, 6, 10, 4, 7, {S(0, 0, 6, 3, 0, 0, 6, 5), S(0, 7, 6, 3, 0, 5, 6, 5)}}));

// At the full extent an odd width leaves the middle column old in styles 12
// and 13 (13 also never shows the last column), an odd height the middle row
// in 29 and 30.
INSTANTIATE_TEST_SUITE_P(
    FullExtentOddSize, EdgeWipeFrame,
    ::testing::Values(WipeCase{12, 7, 5, 7, 5, {B(0, 0, 3, 5, 0, 0), B(4, 0, 3, 5, 4, 0)}},
                      WipeCase{13, 7, 5, 7, 5, {S(0, 0, 3, 5, 0, 0, 3, 5), S(4, 0, 3, 5, 3, 0, 3, 5)}},
                      WipeCase{29, 5, 7, 5, 7, {B(0, 0, 5, 3, 0, 0), B(0, 4, 5, 3, 0, 4)}},
                      WipeCase{30, 5, 7, 5, 7, {S(0, 0, 5, 3, 0, 0, 5, 3), S(0, 4, 5, 3, 0, 3, 5, 3)}}));

}  // namespace
