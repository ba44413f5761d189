// Every style's frames against the checksums recorded in golden_frames.txt: a
// rework or a faster loop must leave every frame bit for bit as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "effects/catalogue.h"
#include "golden_frames.h"

namespace {

std::string Hex(uint64_t v) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
  return text;
}

const golden_frames::Table& RecordedTable() {
  static const golden_frames::Table table = [] {
    std::ifstream in(GOLDEN_FRAMES_TABLE);
    if (!in) throw std::runtime_error(std::string("cannot read ") + GOLDEN_FRAMES_TABLE);
    return golden_frames::ReadTable(in);
  }();
  return table;
}

TEST(GoldenFrames, TableHasTheCurrentColumnsAndEveryStyle) {
  std::vector<std::string> columns;
  for (const golden_frames::FrameCase& c : golden_frames::Cases()) columns.push_back(golden_frames::ColumnName(c));
  EXPECT_EQ(columns, RecordedTable().columns) << "the frame cases changed: regenerate the table";
  EXPECT_EQ(size_t(effects::kEffectCount), RecordedTable().rows.size());
}

class GoldenFrame : public ::testing::TestWithParam<int32_t> {};

TEST_P(GoldenFrame, MatchesTheRecordedChecksums) {
  const int32_t style = GetParam();
  const auto row = RecordedTable().rows.find(style);
  ASSERT_NE(row, RecordedTable().rows.end()) << "style " << style << " is missing from the table";
  const std::vector<uint64_t> now = golden_frames::RenderStyle(style);
  ASSERT_EQ(row->second.size(), now.size());
  for (size_t i = 0; i < now.size(); ++i) {
    EXPECT_EQ(Hex(row->second[i]), Hex(now[i]))
        << "style " << style << " (" << effects::VantrelEffects[style].Name << ") frame "
        << golden_frames::ColumnName(golden_frames::Cases()[i]) << " changed";
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, GoldenFrame, ::testing::Range(1, effects::kEffectCount + 1),
                         [](const ::testing::TestParamInfo<int32_t>& row) {
                           return "Style" + std::to_string(row.param);
                         });

}  // namespace
