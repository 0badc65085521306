// Each operation the benchmark times, once through lockbench's own code
// ("layer") and once as the plainest direct call ("raw"). A layer/raw ratio
// near 1 shows that what lockbench reports is the platform's cost, not ours.
#include "common/RunState.h"
#include "common/Schedule.h"
#include "worker/Worker.h"

#include <benchmark/benchmark.h>
#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <string>
#include <vector>

namespace {

void LockPairLayer(benchmark::State& State) {
  InitialiseLock(&BufferLock);
  for (auto _ : State) {
    AcquireLock(&BufferLock);
    ReleaseLock(&BufferLock);
  }
  DestroyLock(&BufferLock);
}

void LockPairRaw(benchmark::State& State) {
  pthread_mutex_t Mutex;
  pthread_mutex_init(&Mutex, nullptr);
  for (auto _ : State) {
    pthread_mutex_lock(&Mutex);
    pthread_mutex_unlock(&Mutex);
  }
  pthread_mutex_destroy(&Mutex);
}

void YieldLayer(benchmark::State& State) {
  for (auto _ : State)
    YieldTimeSlice();
}

void YieldRaw(benchmark::State& State) {
  for (auto _ : State)
    sched_yield();
}

void ClockLayer(benchmark::State& State) {
  for (auto _ : State)
    benchmark::DoNotOptimize(ReadMilliseconds());
}

void ClockRaw(benchmark::State& State) {
  timespec Now;
  for (auto _ : State) {
    clock_gettime(CLOCK_MONOTONIC, &Now);
    benchmark::DoNotOptimize(Now);
  }
}

// One pass of a worker over a buffer of Size counters.
void PassLayer(benchmark::State& State, std::int32_t Size) {
  std::vector<Counter> Counters(Size, 0);
  for (auto _ : State) {
    IncrementCounters(Counters.data(), Size);
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * Size);
}

void PassRaw(benchmark::State& State, std::int32_t Size) {
  std::vector<Counter> Counters(Size, 0);
  Counter* const Data = Counters.data();
  benchmark::DoNotOptimize(Data);
  for (auto _ : State) {
    for (std::int32_t Index = 0; Index < Size; ++Index)
      ++Data[Index];
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * Size);
}

} // namespace

int main(int Count, char** Arguments) {
  benchmark::RegisterBenchmark("LockPair/layer", LockPairLayer);
  benchmark::RegisterBenchmark("LockPair/raw", LockPairRaw);
  benchmark::RegisterBenchmark("Yield/layer", YieldLayer);
  benchmark::RegisterBenchmark("Yield/raw", YieldRaw);
  benchmark::RegisterBenchmark("Clock/layer", ClockLayer);
  benchmark::RegisterBenchmark("Clock/raw", ClockRaw);
  for (const std::int32_t Size : ScheduleBufferSizes) {
    const std::string Name = "Pass/" + std::to_string(Size);
    benchmark::RegisterBenchmark((Name + "/layer").c_str(), PassLayer, Size);
    benchmark::RegisterBenchmark((Name + "/raw").c_str(), PassRaw, Size);
  }
  benchmark::Initialize(&Count, Arguments);
  if (benchmark::ReportUnrecognizedArguments(Count, Arguments))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
