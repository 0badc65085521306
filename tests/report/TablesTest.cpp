// The arithmetic of the summary and the comparison, on reports whose answers
// are known.
#include "report/Tables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Report MakeReport(std::vector<std::vector<std::uint32_t>> Cells, bool Complete = true,
                  const std::string& Stopped = "") {
  Report Result;
  std::int32_t BufferSize = 256, PassCount = 4000000;
  for (auto& Row : Cells) {
    Result.Rows.push_back({BufferSize, PassCount, Row});
    BufferSize *= 2;
    PassCount /= 2;
  }
  Result.Complete = Complete;
  Result.Stopped = Stopped;
  return Result;
}

TEST(ContentionFactor, IsElapsedOverThreadsTimesSingleThreadElapsed) {
  const ReportRow Row{256, 4000000, {100, 300, 150, 400, 1000}};
  EXPECT_DOUBLE_EQ(*ContentionFactor(Row, 1), 1.0);
  EXPECT_DOUBLE_EQ(*ContentionFactor(Row, 2), 1.5); // contention cost
  EXPECT_DOUBLE_EQ(*ContentionFactor(Row, 3), 0.5); // work overlapped outside the lock
  EXPECT_DOUBLE_EQ(*ContentionFactor(Row, 4), 1.0); // serialised at no extra cost
  EXPECT_DOUBLE_EQ(*ContentionFactor(Row, 5), 2.0);
  EXPECT_FALSE(ContentionFactor(Row, 6).has_value());                       // not measured
  EXPECT_FALSE(ContentionFactor(ReportRow{256, 1, {0, 7}}, 2).has_value()); // Elapsed(1) = 0
}

TEST(GeometricMean, OfRatios) {
  EXPECT_DOUBLE_EQ(*GeometricMean({2.0, 8.0}), 4.0);
  EXPECT_DOUBLE_EQ(*GeometricMean({0.5, 2.0, 1.0}), 1.0);
  EXPECT_FALSE(GeometricMean({}).has_value());
}

TEST(CellRatio, NeedsBothCellsAndNoZero) {
  const ReportRow A{256, 1, {100, 0, 50}};
  const ReportRow B{256, 1, {250, 40}};
  EXPECT_DOUBLE_EQ(*CellRatio(&A, &B, 1), 2.5);
  EXPECT_FALSE(CellRatio(&A, &B, 2).has_value());      // 0 ms in A
  EXPECT_FALSE(CellRatio(&A, &B, 3).has_value());      // missing in B
  EXPECT_FALSE(CellRatio(&A, nullptr, 1).has_value()); // row missing in B
}

TEST(FormatCsv, OneLinePerMeasurementWithPassCount) {
  EXPECT_EQ(FormatCsv(MakeReport({{10, 20}, {30}}, false)),
            "buffer_size,pass_count,threads,elapsed_ms\n"
            "256,4000000,1,10\n"
            "256,4000000,2,20\n"
            "512,2000000,1,30\n");
}

TEST(FormatSummary, TableWithFactorsAndIncompleteNote) {
  const std::string Text = FormatSummary(
      MakeReport({{100, 300, 150, 400, 1000, 600, 700, 800}, {0, 50, 60}}, false,
                 "incomplete run: stopped at BufferSize=512, NumThread=4 (line 13 is cut off)"));
  EXPECT_EQ(
      Text,
      "Elapsed milliseconds by thread count; contention factor x<N> = Elapsed(N) / (N * "
      "Elapsed(1))\n"
      "\n"
      " BufferSize  PassCount     N=1     N=2     N=3     N=4     N=5     N=6     N=7     N=8  |"
      "    x2    x3    x4    x5    x6    x7    x8\n"
      "        256    4000000     100     300     150     400    1000     600     700     800  |"
      "  1.50  0.50  1.00  2.00  1.00  1.00  1.00\n"
      "        512    2000000       0      50      60       -       -       -       -       -  |"
      "     -     -     -     -     -     -     -\n"
      "\n"
      "incomplete run: stopped at BufferSize=512, NumThread=4 (line 13 is cut off); - marks a "
      "measurement the report does not hold\n");
}

TEST(FormatComparison, RatiosMeansAndMissingCells) {
  const Report A =
      MakeReport({{100, 100, 100, 100, 100, 100, 100, 100}, {10, 10}}, false, "A stopped");
  const Report B =
      MakeReport({{200, 50, 400, 25, 100, 100, 100, 100}, {20, 0, 7}}, false, "B stopped");
  const std::string Text = FormatComparison(A, "a.txt", B, "b.txt");
  EXPECT_NE(Text.find("A: a.txt\nB: b.txt\n"), std::string::npos) << Text;
  // Row 256: 2 x 0.5 x 4 x 0.25 x 1 x 1 x 1 x 1 has a geometric mean of 1.
  EXPECT_NE(Text.find("        256    2.000    0.500    4.000    0.250    1.000    1.000    1.000  "
                      "  1.000    1.000\n"),
            std::string::npos)
      << Text;
  // Row 512: one ratio; 0 ms in B has none; the rest are not in both.
  EXPECT_NE(Text.find("        512    2.000      n/a  missing  missing  missing  missing  missing  "
                      "missing    2.000\n"),
            std::string::npos)
      << Text;
  // Nine ratios: eight of product 1, and 2.
  EXPECT_NE(Text.find("overall geometric mean: 1.080 over 9 cells\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("A: A stopped\nB: B stopped\n"), std::string::npos) << Text;
}

} // namespace
