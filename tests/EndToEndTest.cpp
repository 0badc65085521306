// Whole programs, run as a user runs them, with their report in a file.
#include "RunProgram.h"
#include "common/Schedule.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// The milliseconds are the one thing a test cannot know: each becomes "ms",
// but only where it is a plain decimal number.
std::string WithoutMilliseconds(const std::string& Report) {
  static const std::regex Milliseconds("\tElapsed\t[0-9]+\tmsec\n");
  return std::regex_replace(Report, Milliseconds, "\tElapsed\tms\tmsec\n");
}

// What the tiny schedule's run writes before it stops at the given row and
// measurement: the complete rows before Row, then Row's header and its first
// Measurements lines.
std::string ReportUpTo(int Row, int Measurements) {
  std::string Report;
  for (int Index = 0; Index <= Row && Index < ScheduleRows; ++Index) {
    Report += "BufferSize=" + std::to_string(ScheduleBufferSizes[Index]) + "\n";
    const int Lines = Index < Row ? 8 : Measurements;
    for (int NumThread = 1; NumThread <= Lines; ++NumThread)
      Report += "NumThread=" + std::to_string(NumThread) + "\tElapsed\tms\tmsec\n";
  }
  return Report;
}

const std::string CompleteReport = ReportUpTo(ScheduleRows, 0);

class AnyArguments : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(AnyArguments, WriteTheCompleteReport) {
  ProgramOptions Options;
  Options.Arguments = GetParam();
  const ProgramResult Result = RunProgram(LOCKBENCH_TINY_PROGRAM, Options);
  EXPECT_EQ(Result.ExitStatus, 0);
  EXPECT_EQ(WithoutMilliseconds(Result.Stdout), CompleteReport);
  EXPECT_EQ(Result.Stderr, "");
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, AnyArguments,
                         testing::Values(std::vector<std::string>{},
                                         std::vector<std::string>{"--help"},
                                         std::vector<std::string>{"-t", "3", "--buffer=1", "x"}));

struct FaultCase {
  const char* Name;
  const char* Setting; // environment of the fault-injecting build
  std::string Expected;
  const char* StderrHolds; // nullptr: standard error stays empty
};

const FaultCase FaultCases[] = {
    {"FirstThreadOfRun", "LOCKBENCH_FAIL_THREAD_START=1",
     ReportUpTo(0, 0) + "Thread #0 creation failed\n", nullptr},
    {"SecondThreadOfTwo", "LOCKBENCH_FAIL_THREAD_START=3",
     ReportUpTo(0, 1) + "Thread #1 creation failed\n", nullptr},
    {"FirstThreadOfSecondRow", "LOCKBENCH_FAIL_THREAD_START=37",
     ReportUpTo(1, 0) + "Thread #0 creation failed\n", nullptr},
    {"LastThreadOfEight", "LOCKBENCH_FAIL_THREAD_START=72",
     ReportUpTo(1, 7) + "Thread #7 creation failed\n", nullptr},
    {"FirstBuffer", "LOCKBENCH_FAIL_ALLOCATION=1", ReportUpTo(0, 0), "BufferSize=256"},
    {"ThirdBuffer", "LOCKBENCH_FAIL_ALLOCATION=3", ReportUpTo(2, 0), "BufferSize=1024"},
};

class Fault : public testing::TestWithParam<FaultCase> {};

// The run stops at the fault with status 1, and every line written before it
// is in the file.
TEST_P(Fault, EndsTheRunWithStatusOne) {
  const FaultCase& Case = GetParam();
  ProgramOptions Options;
  Options.ExtraEnvironment = {Case.Setting};
  const ProgramResult Result = RunProgram(LOCKBENCH_FAULTY_PROGRAM, Options);
  EXPECT_EQ(Result.ExitStatus, 1);
  EXPECT_EQ(WithoutMilliseconds(Result.Stdout), Case.Expected);
  if (Case.StderrHolds == nullptr)
    EXPECT_EQ(Result.Stderr, "");
  else
    EXPECT_NE(Result.Stderr.find(Case.StderrHolds), std::string::npos) << Result.Stderr;
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, Fault, testing::ValuesIn(FaultCases),
                         [](const testing::TestParamInfo<FaultCase>& Info) {
                           return Info.param.Name;
                         });

// The shipped program, no test double: a thread stack as large as the stack
// limit cannot fit in the address-space limit, so the first worker fails.
TEST(EndToEnd, ResourceLimitStopsTheRealProgramAtItsFirstWorker) {
#if defined(LOCKBENCH_SANITIZED)
  GTEST_SKIP() << "sanitizer runtimes need more address space than the limit allows";
#endif
  ProgramOptions Options;
  Options.Limits = {{RLIMIT_STACK, rlim_t{1} << 30}, {RLIMIT_AS, rlim_t{256} << 20}};
  const ProgramResult Result = RunProgram(LOCKBENCH_PROGRAM, Options);
  EXPECT_EQ(Result.ExitStatus, 1);
  EXPECT_EQ(Result.Stdout, "BufferSize=256\nThread #0 creation failed\n");
}

class UnwritableOutput : public testing::TestWithParam<ProgramOptions> {};

// The run still completes, but status 0 would claim a report nobody got.
TEST_P(UnwritableOutput, EndsWithStatusOneAndSaysWhy) {
  const ProgramResult Result = RunProgram(LOCKBENCH_TINY_PROGRAM, GetParam());
  EXPECT_EQ(Result.ExitStatus, 1);
  EXPECT_NE(Result.Stderr.find("could not be written to standard output"), std::string::npos)
      << Result.Stderr;
}

ProgramOptions FullDevice() {
  ProgramOptions Options;
  Options.StdoutPath = "/dev/full";
  return Options;
}

ProgramOptions ClosedDescriptor() {
  ProgramOptions Options;
  Options.CloseStdout = true;
  return Options;
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, UnwritableOutput,
                         testing::Values(FullDevice(), ClosedDescriptor()));

// The real schedule, whole: several minutes, so it carries its own label.
TEST(FullRun, RealScheduleWritesAllRowsInOrder) {
  const ProgramResult Result = RunProgram(LOCKBENCH_PROGRAM);
  EXPECT_EQ(Result.ExitStatus, 0);
  EXPECT_EQ(Result.Stderr, "");
  std::string Expected;
  for (const char* BufferSize :
       {"256", "512", "1024", "2048", "4096", "8192", "16384", "32768", "65536"}) {
    Expected += std::string("BufferSize=") + BufferSize + "\n";
    for (int NumThread = 1; NumThread <= 8; ++NumThread)
      Expected += "NumThread=" + std::to_string(NumThread) + "\tElapsed\tms\tmsec\n";
  }
  EXPECT_EQ(WithoutMilliseconds(Result.Stdout), Expected);
}

} // namespace
