// State shared by the driver and every worker for the length of a run.
#pragma once

#include "platform/Platform.h"

#include <cstdint>

// One counter of the shared buffer. Unsigned, so that even a schedule that
// overran 32 bits would wrap instead of overflowing.
using Counter = std::uint32_t;

// The largest number of workers in one measurement.
constexpr int MaxThreads = 8;

struct RunParameterSet {
  std::int32_t PassCount;  // passes each worker makes
  std::int32_t BufferSize; // counters incremented per pass
};

// Written by the driver only while no worker exists; workers read it without
// the lock, which the thread start that follows each write makes safe.
extern RunParameterSet RunParameters;

// Guards every counter and is the start gate of each measurement.
extern PlatformLock BufferLock;
