#include "worker/Worker.h"

void IncrementCounters(Counter* Counters, std::int32_t Size) {
  for (std::int32_t Index = 0; Index < Size; ++Index)
    ++Counters[Index];
}

ThreadResult LOCKBENCH_THREAD_CALL WorkerThread(void* Argument) {
  Counter* const Counters = static_cast<Counter*>(Argument);
  // Fixed for the worker's life; read once, outside the lock.
  const std::int32_t PassCount = RunParameters.PassCount;
  const std::int32_t BufferSize = RunParameters.BufferSize;

  // The first acquire is also where a new worker waits at the start gate.
  for (std::int32_t Pass = 0; Pass < PassCount; ++Pass) {
    AcquireLock(&BufferLock);
    IncrementCounters(Counters, BufferSize);
    ReleaseLock(&BufferLock);
    YieldTimeSlice();
  }
  return 0;
}
