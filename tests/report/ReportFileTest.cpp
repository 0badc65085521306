#include "report/ReportFile.h"
#include "ReportFixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ReadCase {
  const char* Name;
  std::string Text;
  std::size_t Rows;         // rows read
  std::size_t LastRowCells; // measurements in the last row read
  const char* Stopped;      // "" for a complete run
};

const ReadCase ReadCases[] = {
    {"Complete", CompleteReport, 9, 8, ""},
    {"CompleteWithCrLf", ReportText(ScheduleRows, 0, "\r\n"), 9, 8, ""},
    {"FailureLine", ReportText(2, 3) + "Thread #2 creation failed\n", 3, 3,
     "incomplete run: stopped at BufferSize=1024, NumThread=4 (line 23: thread #2 could not be "
     "created)"},
    {"FailureLineCrLf", ReportText(0, 0, "\r\n") + "Thread #0 creation failed\r\n", 1, 0,
     "incomplete run: stopped at BufferSize=256, NumThread=1 (line 2: thread #0 could not be "
     "created)"},
    {"CutInsideWord", ReportText(1, 3) + "NumThread=4\tElap", 2, 3,
     "incomplete run: stopped at BufferSize=512, NumThread=4 (line 14 is cut off)"},
    // The digits seen may be only the start of the number: the cell is dropped.
    {"CutInsideNumber", ReportText(1, 3) + "NumThread=4\tElapsed\t12", 2, 3,
     "incomplete run: stopped at BufferSize=512, NumThread=4 (line 14 is cut off)"},
    {"CutBeforeLineEnd", ReportText(1, 3) + "NumThread=4\tElapsed\t123\tmsec", 2, 3,
     "incomplete run: stopped at BufferSize=512, NumThread=4 (line 14 is cut off)"},
    {"CutAfterRow", ReportText(1, 8), 2, 8,
     "incomplete run: stopped before BufferSize=1024 (the report ends after line 18)"},
    {"OnlyFirstHeader", "BufferSize=256\n", 1, 0,
     "incomplete run: stopped at BufferSize=256, NumThread=1 (the report ends after line 1)"},
};

class Reading : public testing::TestWithParam<ReadCase> {};

TEST_P(Reading, KeepsEveryCompleteMeasurement) {
  const ReadCase& Case = GetParam();
  const ParseResult Result = ParseReport(Case.Text);
  ASSERT_TRUE(Result.Ok) << Result.Line << ": " << Result.Error;
  const Report& Parsed = Result.Parsed;
  ASSERT_EQ(Parsed.Rows.size(), Case.Rows);
  EXPECT_EQ(Parsed.Rows.back().Elapsed.size(), Case.LastRowCells);
  EXPECT_EQ(Parsed.Complete, std::string(Case.Stopped).empty());
  EXPECT_EQ(Parsed.Stopped, Case.Stopped);
  for (std::size_t Row = 0; Row < Parsed.Rows.size(); ++Row) {
    EXPECT_EQ(Parsed.Rows[Row].BufferSize, ScheduleBufferSizes[Row]);
    EXPECT_EQ(Parsed.Rows[Row].PassCount, SchedulePassCounts[Row]);
    for (std::size_t Cell = 0; Cell < Parsed.Rows[Row].Elapsed.size(); ++Cell)
      EXPECT_EQ(Parsed.Rows[Row].Elapsed[Cell], 100 * (Row + 1) + Cell + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Reports, Reading, testing::ValuesIn(ReadCases),
                         [](const testing::TestParamInfo<ReadCase>& Info) {
                           return Info.param.Name;
                         });

TEST(Reading, TakesElapsedUpToTheUnsigned32BitMaximum) {
  const ParseResult Result =
      ParseReport("BufferSize=256\nNumThread=1\tElapsed\t4294967295\tmsec\n");
  ASSERT_TRUE(Result.Ok) << Result.Error;
  EXPECT_EQ(Result.Parsed.Rows[0].Elapsed[0], 4294967295u);
}

struct RejectCase {
  const char* Name;
  std::string Text;
  int Line;
  std::string Error;
};

const std::string First = "BufferSize=256\n";
const std::string NextMeasurement2 =
    "expected \"NumThread=2\\tElapsed\\t<milliseconds>\\tmsec\" or \"Thread #<position> creation "
    "failed\"";

const RejectCase RejectCases[] = {
    {"EmptyFile", "", 1, "empty report: expected \"BufferSize=256\""},
    {"FirstLineCut", "Buffer", 1, "expected \"BufferSize=256\""},
    {"UnknownLine", ReportText(0, 1) + "hello\n", 3, NextMeasurement2},
    {"TrailingSpace", "BufferSize=256 \n", 1, "expected \"BufferSize=256\""},
    {"NegativeElapsed", ReportText(0, 1) + "NumThread=2\tElapsed\t-5\tmsec\n", 3, NextMeasurement2},
    {"NumThreadSkipped", ReportText(0, 1) + "NumThread=3\tElapsed\t5\tmsec\n", 3,
     "NumThread=3 out of order: " + NextMeasurement2},
    {"NumThreadZero", First + "NumThread=0\tElapsed\t5\tmsec\n", 2, "NumThread=0 outside 1..8"},
    {"NumThreadNine", ReportText(0, 8) + "NumThread=9\tElapsed\t5\tmsec\n", 10,
     "NumThread=9 outside 1..8"},
    {"BufferSizeNotInSchedule", "BufferSize=300\n", 1, "BufferSize=300 is not in the schedule"},
    {"BufferSizeOutOfOrder", "BufferSize=512\n", 1,
     "BufferSize=512 out of schedule order: expected \"BufferSize=256\""},
    {"HeaderBeforeRowComplete", ReportText(0, 1) + "BufferSize=512\n", 3, NextMeasurement2},
    {"ElapsedTooLarge", First + "NumThread=1\tElapsed\t4294967296\tmsec\n", 2,
     "a number that does not fit: NumThread must fit 32 bits signed, Elapsed 32 bits unsigned"},
    {"BufferSizeTooLarge", "BufferSize=99999999999999999999999\n", 1,
     "BufferSize does not fit a 32-bit signed integer"},
    {"MeasurementBeforeHeader", "NumThread=1\tElapsed\t5\tmsec\n", 1,
     "measurement before any \"BufferSize=\" header"},
    {"LineAfterFailure", First + "Thread #0 creation failed\nNumThread=1\tElapsed\t5\tmsec\n", 3,
     "nothing may follow the creation failure line"},
    {"FailurePositionBeyondMeasurement", First + "Thread #1 creation failed\n", 2,
     "thread #1 cannot fail in a measurement of 1 threads"},
    {"FailureBeforeHeader", "Thread #0 creation failed\n", 1, "expected \"BufferSize=256\""},
    {"LineAfterCompleteRun", CompleteReport + "BufferSize=256\n", 82,
     "expected the end of the report"},
    {"PartLineAfterCompleteRun", CompleteReport + "NumThread=3", 82,
     "expected the end of the report"},
    {"BlankLine", First + "\n", 2,
     "expected \"NumThread=1\\tElapsed\\t<milliseconds>\\tmsec\" or \"Thread #<position> creation "
     "failed\""},
    {"NulInsideLine",
     std::string("BufferSize=2\0"
                 "56\n",
                 16),
     1, "expected \"BufferSize=256\""},
};

class Rejecting : public testing::TestWithParam<RejectCase> {};

TEST_P(Rejecting, NamesTheLineAndWhatWasExpected) {
  const RejectCase& Case = GetParam();
  const ParseResult Result = ParseReport(Case.Text);
  ASSERT_FALSE(Result.Ok);
  EXPECT_EQ(Result.Line, Case.Line);
  EXPECT_EQ(Result.Error, Case.Error);
}

INSTANTIATE_TEST_SUITE_P(Reports, Rejecting, testing::ValuesIn(RejectCases),
                         [](const testing::TestParamInfo<RejectCase>& Info) {
                           return Info.param.Name;
                         });

} // namespace
