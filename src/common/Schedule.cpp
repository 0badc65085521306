#include "common/Schedule.h"

// BufferSize doubles as PassCount halves: 256 x 4,000,000 increments per
// worker in every row.
const std::int32_t ScheduleBufferSizes[ScheduleRows] = {256,  512,   1024,  2048, 4096,
                                                        8192, 16384, 32768, 65536};
const std::int32_t SchedulePassCounts[ScheduleRows] = {4000000, 2000000, 1000000, 500000, 250000,
                                                       125000,  62500,   31250,   15625};
