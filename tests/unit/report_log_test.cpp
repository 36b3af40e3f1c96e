#include "report/report_log.h"

#include <gtest/gtest.h>

#include "fakes/fake_report_box.h"

namespace {

struct LineCase {
  const char* name;
  int level;
  const char* text;
  const char* expected;
};

class ReportLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ReportLineTest, FormatsPrefixTextAndLineEnd) {
  FakeReportBox box;
  ReportLog report(box);
  report.AppendReportLine(GetParam().level, GetParam().text);
  EXPECT_EQ(report.Text(), GetParam().expected);
  EXPECT_EQ(box.text, report.Text());
}

INSTANTIATE_TEST_SUITE_P(Levels, ReportLineTest,
                         testing::Values(LineCase{"EmptyAtZero", 0, "", "\r\n"},
                                         LineCase{"EmptyAtOne", 1, "", "  -. \r\n"},
                                         LineCase{"Negative", -3, "x", "x\r\n"},
                                         LineCase{"Three", 3, "x", "      -. x\r\n"},
                                         LineCase{"Five", 5, "x", "          -. x\r\n"},
                                         LineCase{"EmbeddedBreak", 2, "a\r\nb", "    -. a\r\nb\r\n"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ReportLog, TwoTextsMakeTheSameLineAsTheirJoin) {
  ReportLog joined, split;
  joined.AppendReportLine(2, "ab");
  split.AppendReportLine(2, "a", "b");
  EXPECT_EQ(split.Text(), joined.Text());
}

TEST(ReportLog, SectionFrames) {
  ReportLog report;
  report.BeginReportSection("T");
  report.EndReportSection();
  const std::string equals(110, '=');
  EXPECT_EQ(report.Text(), "\r\n" + equals + "\r\nT\r\n" + equals + "\r\n\r\n\r\n검사 완료\r\n");
  EXPECT_EQ(VerdictSeparator, std::string(110, '-'));
}

TEST(ReportLog, ClearEmptiesReportAndBox) {
  FakeReportBox box;
  ReportLog report(box);
  report.AppendReportLine(0, "x");
  report.Clear();
  EXPECT_EQ(report.Text(), "");
  EXPECT_EQ(box.text, "");
}

}  // namespace
