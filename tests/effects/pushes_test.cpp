// Pushes and squeezes, drawn through the view's frame rule at a given
// progress: the old picture moved or compressed within the frame (read as it
// stood on entry, also where source and destination overlap), and the new
// picture beside it.
#include <gtest/gtest.h>

#include <vector>

#include "effects/frame_rule.h"
#include "wipes_support.h"

namespace {

using namespace wipes_test;

struct PushCase {
  int32_t style, progress;
  std::vector<Copy> copies;
};

void PrintTo(const PushCase& c, std::ostream* os) { *os << "style " << c.style << " at " << c.progress; }

class PushFrame : public ::testing::TestWithParam<PushCase> {};

TEST_P(PushFrame, MovesOldPictureOutAndNewPictureIn) {
  const PushCase& c = GetParam();
  DrawnFrame frame(200, 100);
  effects::DrawEffectFrame(frame.display, frame.image, 200, 100, c.style, c.progress);
  ExpectedFrame expected(200, 100);
  for (const Copy& copy : c.copies) expected.Apply(copy);
  EXPECT_TRUE(expected.Matches(frame.display));
}

// 200 × 100: progress 50 gives X = 100, Y = 50 (the two halves don't
// overlap); progress 15 gives X = 30, Y = 15 (the old picture's source and
// destination overlap). Squeezing 200 to 100 keeps one of every two columns.
INSTANTIATE_TEST_SUITE_P(
    Halfway, PushFrame,
    ::testing::Values(PushCase{129, 50, {OldB(100, 0, 100, 100, 0, 0), B(0, 0, 100, 100, 100, 0)}},
                      PushCase{130, 50, {OldB(0, 0, 100, 100, 100, 0), B(100, 0, 100, 100, 0, 0)}},
                      PushCase{131, 50, {OldS(100, 0, 100, 100, 0, 0, 200, 100), B(0, 0, 100, 100, 100, 0)}},
                      PushCase{132, 50, {OldS(0, 0, 100, 100, 0, 0, 200, 100), B(100, 0, 100, 100, 0, 0)}},
                      PushCase{133, 50, {OldB(0, 50, 200, 50, 0, 0), B(0, 0, 200, 50, 0, 50)}},
                      PushCase{134, 50, {OldB(0, 0, 200, 50, 0, 50), B(0, 50, 200, 50, 0, 0)}},
                      PushCase{135, 50, {OldS(0, 50, 200, 50, 0, 0, 200, 100), B(0, 0, 200, 50, 0, 50)}},
                      PushCase{136, 50, {OldS(0, 0, 200, 50, 0, 0, 200, 100), B(0, 50, 200, 50, 0, 0)}}));

INSTANTIATE_TEST_SUITE_P(
    Overlapping, PushFrame,
    ::testing::Values(PushCase{129, 15, {OldB(30, 0, 170, 100, 0, 0), B(0, 0, 30, 100, 170, 0)}},
                      PushCase{130, 15, {OldB(0, 0, 170, 100, 30, 0), B(170, 0, 30, 100, 0, 0)}},
                      PushCase{131, 15, {OldS(30, 0, 170, 100, 0, 0, 200, 100), B(0, 0, 30, 100, 170, 0)}},
                      PushCase{132, 15, {OldS(0, 0, 170, 100, 0, 0, 200, 100), B(170, 0, 30, 100, 0, 0)}},
                      PushCase{133, 15, {OldB(0, 15, 200, 85, 0, 0), B(0, 0, 200, 15, 0, 85)}},
                      PushCase{134, 15, {OldB(0, 0, 200, 85, 0, 15), B(0, 85, 200, 15, 0, 0)}},
                      PushCase{135, 15, {OldS(0, 15, 200, 85, 0, 0, 200, 100), B(0, 0, 200, 15, 0, 85)}},
                      PushCase{136, 15, {OldS(0, 0, 200, 85, 0, 0, 200, 100), B(0, 85, 200, 15, 0, 0)}}));

}  // namespace
