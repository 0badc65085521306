// The fixed run: for each row, the buffer length and the passes per worker.
// Every row gives a worker the same number of increments; the rows differ in
// how often the lock is taken and how much work is done while holding it.
#pragma once

#include <cstdint>

constexpr int ScheduleRows = 9;

// Parallel lists, read at the same index, in run order.
extern const std::int32_t ScheduleBufferSizes[ScheduleRows];
extern const std::int32_t SchedulePassCounts[ScheduleRows];
