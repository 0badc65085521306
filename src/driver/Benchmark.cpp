#include "driver/Benchmark.h"

#include "common/Schedule.h"
#include "driver/Report.h"
#include "worker/Worker.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Zero-filled. calloc refuses a count whose byte size would overflow rather
// than hand out a short buffer.
Counter* ObtainCounters(std::int32_t BufferSize) {
  const std::size_t Count = BufferSize > 0 ? static_cast<std::size_t>(BufferSize) : 1;
  return static_cast<Counter*>(std::calloc(Count, sizeof(Counter)));
}

[[noreturn]] void EndOnCreationFailure(int Position) {
  WriteCreationFailure(Position);
  ReportDelivered();
  // The workers already started are blocked at the closed gate. Ending the
  // process ends them unrun; every line was flushed as it was written.
  std::_Exit(1);
}

} // namespace

std::uint32_t ElapsedMilliseconds(std::uint32_t Start, std::uint32_t End) {
  return End - Start;
}

void RunMeasurement(std::int32_t NumThread, Counter* Counters) {
  PlatformThread Threads[MaxThreads];

  // Closing the gate: a worker's first act is to take this lock, so each one
  // blocks as soon as it starts, and thread start-up stays out of the timing.
  AcquireLock(&BufferLock);
  for (int Position = 0; Position < NumThread; ++Position) {
    if (!StartThread(WorkerThread, Counters, &Threads[Position]))
      EndOnCreationFailure(Position);
  }
  const std::uint32_t Start = ReadMilliseconds();
  ReleaseLock(&BufferLock);

  JoinThreads(Threads, NumThread);
  const std::uint32_t End = ReadMilliseconds();
  WriteMeasurementLine(NumThread, ElapsedMilliseconds(Start, End));
}

int RunBenchmark() {
  int Status = 0;
  InitialiseLock(&BufferLock);
  for (int Row = 0; Row < ScheduleRows; ++Row) {
    RunParameters.BufferSize = ScheduleBufferSizes[Row];
    RunParameters.PassCount = SchedulePassCounts[Row];
    WriteRowHeader(RunParameters.BufferSize);

    Counter* const Counters = ObtainCounters(RunParameters.BufferSize);
    if (Counters == nullptr) {
      std::fprintf(stderr, "lockbench: cannot obtain the counter buffer for BufferSize=%d\n",
                   static_cast<int>(RunParameters.BufferSize));
      Status = 1;
      break;
    }
    // The counters accumulate over the row's measurements; nothing reads them.
    for (std::int32_t NumThread = 1; NumThread <= MaxThreads; ++NumThread)
      RunMeasurement(NumThread, Counters);
    std::free(Counters);
  }
  DestroyLock(&BufferLock);
  if (!ReportDelivered())
    Status = 1;
  return Status;
}
