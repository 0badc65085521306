#include "driver/Report.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

bool WriteFailed = false;
int FirstWriteError = 0;
bool FailureExplained = false;

// Every line is flushed at once, so a run that is killed still leaves each
// finished line behind. Lines are only written while no worker runs, so the
// flush never lands inside a measurement.
void FinishLine(int Written) {
  if (Written < 0 || std::fflush(stdout) != 0) {
    if (!WriteFailed)
      FirstWriteError = errno;
    WriteFailed = true;
  }
}

} // namespace

void WriteRowHeader(std::int32_t BufferSize) {
  FinishLine(std::printf("BufferSize=%" PRId32 "\n", BufferSize));
}

void WriteMeasurementLine(std::int32_t NumThread, std::uint32_t Elapsed) {
  // Elapsed is a modulo-2^32 difference: unsigned, never negative.
  FinishLine(
      std::printf("NumThread=%" PRId32 "\tElapsed\t%" PRIu32 "\tmsec\n", NumThread, Elapsed));
}

void WriteCreationFailure(std::int32_t Position) {
  FinishLine(std::printf("Thread #%" PRId32 " creation failed\n", Position));
}

bool ReportDelivered() {
  if (std::ferror(stdout))
    WriteFailed = true;
  if (WriteFailed && !FailureExplained) {
    FailureExplained = true;
    std::fprintf(stderr, "lockbench: the report could not be written to standard output: %s\n",
                 FirstWriteError != 0 ? std::strerror(FirstWriteError) : "write error");
  }
  return !WriteFailed;
}
