// The run: the schedule's rows, each measured with 1 to MaxThreads workers.
#pragma once

#include "common/RunState.h"

#include <cstdint>

// Runs the whole schedule and returns the exit status: 0 only when the
// complete report was written.
int RunBenchmark();

// One timed measurement with NumThread (1 to MaxThreads) workers over
// Counters, and its report line. On a worker that cannot be started it writes
// the failure line and ends the process with status 1.
void RunMeasurement(std::int32_t NumThread, Counter* Counters);

// Milliseconds from Start to End on a clock that wraps at 2^32.
std::uint32_t ElapsedMilliseconds(std::uint32_t Start, std::uint32_t End);
