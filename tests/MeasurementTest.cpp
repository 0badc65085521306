// The driver's measurements and the worker's loop, in this process.
#include "driver/Benchmark.h"
#include "worker/Worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

class SharedRunState : public testing::Test {
protected:
  void SetUp() override {
    InitialiseLock(&BufferLock);
  }
  void TearDown() override {
    DestroyLock(&BufferLock);
  }
};

TEST_F(SharedRunState, RowOfMeasurementsLosesNoIncrement) {
  RunParameters = {2000, 96};
  std::vector<Counter> Counters(RunParameters.BufferSize, 0);

  testing::internal::CaptureStdout();
  for (std::int32_t NumThread = 1; NumThread <= MaxThreads; ++NumThread)
    RunMeasurement(NumThread, Counters.data());
  const std::string Report = testing::internal::GetCapturedStdout();

  // 1 + 2 + ... + 8 workers, each adding PassCount to every counter.
  for (std::size_t Index = 0; Index < Counters.size(); ++Index)
    ASSERT_EQ(Counters[Index], 36u * 2000u) << "counter " << Index;
  std::string Expected;
  for (int NumThread = 1; NumThread <= MaxThreads; ++NumThread)
    Expected += "NumThread=" + std::to_string(NumThread) + "\tElapsed\t[0-9]+\tmsec\n";
  EXPECT_TRUE(std::regex_match(Report, std::regex(Expected))) << Report;
}

TEST_F(SharedRunState, WorkerWaitsAtClosedGate) {
  RunParameters = {50, 16};
  std::vector<Counter> Counters(RunParameters.BufferSize, 0);

  AcquireLock(&BufferLock);
  PlatformThread Worker;
  ASSERT_TRUE(StartThread(WorkerThread, Counters.data(), &Worker));
  // Give the worker every chance to run ahead; it must not get past the gate.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  for (Counter Value : Counters)
    ASSERT_EQ(Value, 0u);
  ReleaseLock(&BufferLock);

  JoinThreads(&Worker, 1);
  for (Counter Value : Counters)
    EXPECT_EQ(Value, 50u);
}

struct PassCase {
  const char* Name;
  std::int32_t PassCount;
  std::int32_t BufferSize;
  Counter Expected; // in each of the first BufferSize counters
};

const PassCase PassCases[] = {
    {"SeveralPasses", 7, 5, 7},
    {"NoPassWhenCountZero", 0, 5, 0},
    {"NoPassWhenCountNegative", -3, 5, 0},
    {"NothingChangedWhenSizeZero", 7, 0, 0},
    {"NothingChangedWhenSizeNegative", 7, -1, 0},
};

class WorkerPasses : public SharedRunState, public testing::WithParamInterface<PassCase> {};

TEST_P(WorkerPasses, IncrementOnlyTheBufferSizeCounters) {
  const PassCase& Case = GetParam();
  RunParameters = {Case.PassCount, Case.BufferSize};
  // One guard counter past the end must stay untouched.
  std::vector<Counter> Counters(8, 0);

  EXPECT_EQ(WorkerThread(Counters.data()), ThreadResult{});
  for (std::int32_t Index = 0; Index < 8; ++Index)
    EXPECT_EQ(Counters[Index], Index < Case.BufferSize ? Case.Expected : 0u) << "counter " << Index;
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, WorkerPasses, testing::ValuesIn(PassCases),
                         [](const testing::TestParamInfo<PassCase>& Info) {
                           return Info.param.Name;
                         });

struct ElapsedCase {
  std::uint32_t Start;
  std::uint32_t End;
  std::uint32_t Expected;
};

TEST(ElapsedMilliseconds, IsTheDifferenceModulo2To32) {
  const ElapsedCase Cases[] = {
      {1000, 1250, 250},
      {77, 77, 0},
      {0xFFFFFFF0u, 0x00000010u, 0x20}, // the clock wrapped in between
      {0xFFFFFFFFu, 0x00000000u, 1},
      {0x00000000u, 0x80000005u, 0x80000005u}, // longer than 2^31 ms: no sign
  };
  for (const ElapsedCase& Case : Cases)
    EXPECT_EQ(ElapsedMilliseconds(Case.Start, Case.End), Case.Expected)
        << Case.Start << " -> " << Case.End;
}

} // namespace
