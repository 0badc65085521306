// The report: the program's only output, one line per event of the run.
#pragma once

#include <cstdint>

void WriteRowHeader(std::int32_t BufferSize);
void WriteMeasurementLine(std::int32_t NumThread, std::uint32_t Elapsed);
void WriteCreationFailure(std::int32_t Position);

// True when every line so far has reached standard output. Otherwise says so
// once on standard error and returns false: a short report must never pass
// for a complete one.
bool ReportDelivered();
