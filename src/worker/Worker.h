// The loop every worker thread runs.
#pragma once

#include "common/RunState.h"

#include <cstdint>

// Start routine of a worker: RunParameters.PassCount passes over the buffer
// at Argument, each one lock hold long. Returns 0.
ThreadResult LOCKBENCH_THREAD_CALL WorkerThread(void* Argument);

// The work of one lock hold: adds 1 to each of the first Size counters, in
// ascending order. Does nothing when Size is not positive.
void IncrementCounters(Counter* Counters, std::int32_t Size);
