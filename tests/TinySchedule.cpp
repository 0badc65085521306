// A schedule of the same nine buffer sizes with a few passes per row, so that
// the real driver and worker run end to end in a fraction of a second.
#include "common/Schedule.h"

const std::int32_t ScheduleBufferSizes[ScheduleRows] = {256,  512,   1024,  2048, 4096,
                                                        8192, 16384, 32768, 65536};
const std::int32_t SchedulePassCounts[ScheduleRows] = {256, 128, 64, 32, 16, 8, 4, 2, 1};
