// The POSIX platform layer's clock against the system clock it reads.
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <time.h>

#include <cstdint>

namespace {

std::uint64_t MonotonicMilliseconds() {
  timespec Now;
  clock_gettime(CLOCK_MONOTONIC, &Now);
  return static_cast<std::uint64_t>(Now.tv_sec) * 1000u +
         static_cast<std::uint64_t>(Now.tv_nsec) / 1000000u;
}

// The layer's reading lies between two full-width readings taken around it,
// once both are reduced modulo 2^32.
TEST(ReadMilliseconds, IsTheMonotonicClockModulo2To32) {
  for (int Attempt = 0; Attempt < 1000; ++Attempt) {
    const std::uint64_t Before = MonotonicMilliseconds();
    const std::uint32_t Reading = ReadMilliseconds();
    const std::uint64_t After = MonotonicMilliseconds();
    const std::uint32_t SinceBefore = Reading - static_cast<std::uint32_t>(Before);
    ASSERT_LE(SinceBefore, After - Before) << "before " << Before << ", reading " << Reading;
  }
}

} // namespace
